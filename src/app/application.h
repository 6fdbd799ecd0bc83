#pragma once
// The running program as main starts it: the windows' program, plus its start on the program's folder
// (the data folder made on first start), the real printer, and what a data file failing during the run does.

#include "ui/common/program.h"

class Application : public Program {
    Q_OBJECT
public:
    explicit Application(QString programFolder, QObject *parent = nullptr);

    // Makes data/ (with the sample catalogue) when it does not exist, then opens the store and reads
    // the settings. False with the reason, naming the file, when the data cannot be used.
    bool start(QString *why = nullptr);
};

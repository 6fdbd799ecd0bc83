#pragma once
// The running program as main starts it: the windows' program, plus its start on the program's folder
// (the data folder made on first start) or on the dealership server, the real printer, and what a data file
// failing during the run does.

#include "ui/common/program.h"

class Application : public Program {
    Q_OBJECT
public:
    explicit Application(QString programFolder, QObject *parent = nullptr);

    // Opens the store and reads the settings: on the dealership server when one is set on the store (no local
    // file is read or made then), otherwise on the data folder, made with the sample catalogue when it does
    // not exist. False with the reason, naming the file or the server, when the data cannot be used.
    bool start(QString *why = nullptr);
    // Starts as above; while the server cannot be reached the user is asked to retry or quit, and a password
    // the server asks for and the password file lacks is asked for. False when the program should end: `why`
    // holds the reason, or nothing when the user chose to quit.
    bool startAsking(QString *why);
};

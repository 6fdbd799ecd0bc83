#pragma once

class QApplication;
class QString;

namespace startup {
// Makes data/ on the first start, then loads the password window (which opens the databases).
// False with the reason, naming the file, when the data cannot be used; nothing is written then.
bool begin(QString *why);
// Prepares the data folder, opens the databases through the password window and returns the exit
// status of the run.
int run(QApplication &app);
} // namespace startup

#pragma once

class QApplication;

namespace startup {
// Prepares the data folder, opens the databases through the password window and returns the exit
// status of the run.
int run(QApplication &app);
} // namespace startup

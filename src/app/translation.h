#pragma once
// The program's texts in the user's language: a translation is a file translations/quorvel_<language>.ts,
// compiled into the program by the build. Without one for the language, the texts stay in English.

class QCoreApplication;

namespace translation {

// Installs, for the system's locale, the program's translation and Qt's own (the message boxes' buttons,
// the file dialogs), each when there is one. The translators live as long as `app`.
void install(QCoreApplication &app);

} // namespace translation

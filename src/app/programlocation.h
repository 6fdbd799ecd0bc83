#pragma once
// Where data/, webpages/ and printouts/ live. A portable copy keeps them beside the program; a copy
// installed as a package (or in a folder the user cannot write) keeps them in the user's data folder.

#include <QString>

namespace programlocation {

// What the decision looks at, gathered once per question so tests can state any case.
struct Facts {
    QString executableFolder;
    bool executableFolderWritable = false;
    bool dataBesideExecutable = false; // data/ already exists beside the program
    bool installedAsPackage = false;   // the package's marker file lies beside the program
    QString userDataFolder;            // QStandardPaths::AppDataLocation
};

// The file the package puts beside the executable; a portable install never has it.
QString packageMarkerName();

// The program's folder for these facts.
QString decide(const Facts &facts);

// The facts of this run; needs the application object and its name.
Facts current();

} // namespace programlocation

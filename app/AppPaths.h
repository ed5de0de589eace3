#pragma once

#include <QString>

// Folders of the files the program ships: the report templates and the sample
// documents. A build keeps them beside the executable; an installed program
// finds them in <prefix>/share/rt58, reached from <prefix>/bin.
class AppPaths
{
public:
    AppPaths() = delete;

    // The "doc" folder of the running program.
    static QString templateDir();
    // The "samples" folder of the running program.
    static QString samplesDir();

    // The folder of a report that the user did not name.
    static QString reportDir();

    // executableDir/name when that folder exists, otherwise
    // executableDir/../share/rt58/name when that one does; with neither, the
    // first, so that what is missing is reported beside the executable.
    static QString dataDir(const QString &executableDir, const QString &name);
    // executableDir when the program runs from the folder it was built in
    // (its templates beside it) and may write there; otherwise workingDir,
    // unless that cannot be written or is the file system's root (where
    // launchers start programs), and then homeDir. An installed program's
    // folder is a system folder, even for root.
    static QString reportDir(const QString &executableDir, const QString &workingDir,
                             const QString &homeDir);
};

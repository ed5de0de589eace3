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

    // executableDir/name when that folder exists, otherwise
    // executableDir/../share/rt58/name when that one does; with neither, the
    // first, so that what is missing is reported beside the executable.
    static QString dataDir(const QString &executableDir, const QString &name);
};

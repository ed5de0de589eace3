#include "app/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString AppPaths::templateDir()
{
    return dataDir(QCoreApplication::applicationDirPath(), QStringLiteral("doc"));
}

QString AppPaths::samplesDir()
{
    return dataDir(QCoreApplication::applicationDirPath(), QStringLiteral("samples"));
}

QString AppPaths::reportDir()
{
    return reportDir(QCoreApplication::applicationDirPath(), QDir::currentPath(), QDir::homePath());
}

QString AppPaths::dataDir(const QString &executableDir, const QString &name)
{
    const QString beside = QDir::cleanPath(executableDir + QLatin1Char('/') + name);
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed =
        QDir::cleanPath(executableDir + QStringLiteral("/../share/rt58/") + name);
    return QFileInfo(installed).isDir() ? installed : beside;
}

QString AppPaths::reportDir(const QString &executableDir, const QString &workingDir,
                            const QString &homeDir)
{
    const QFileInfo templatesBeside(executableDir + QStringLiteral("/doc"));
    if (templatesBeside.isDir() && QFileInfo(executableDir).isWritable())
        return executableDir;
    const QFileInfo working(workingDir);
    if (working.isDir() && working.isWritable() && !working.isRoot())
        return workingDir;
    return homeDir;
}

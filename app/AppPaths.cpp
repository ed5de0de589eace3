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

QString AppPaths::dataDir(const QString &executableDir, const QString &name)
{
    const QString beside = QDir::cleanPath(executableDir + QLatin1Char('/') + name);
    if (QFileInfo(beside).isDir())
        return beside;
    const QString installed =
        QDir::cleanPath(executableDir + QStringLiteral("/../share/rt58/") + name);
    return QFileInfo(installed).isDir() ? installed : beside;
}

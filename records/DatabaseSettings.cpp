#include "records/DatabaseSettings.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <unistd.h>

namespace {
const QString groupName = QStringLiteral("Records");
constexpr QFile::Permissions othersAccess = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                            QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
} // namespace

DatabaseSettings DatabaseSettings::fromConfig(const QString &iniPath)
{
    DatabaseSettings settings;
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(groupName);
    const QString server = ini.value(QStringLiteral("server")).toString().trimmed().toLower();
    settings.driver = server == QLatin1String("postgresql") ? Postgres : Sqlite;
    settings.file = ini.value(QStringLiteral("file"), settings.file).toString();
    settings.host = ini.value(QStringLiteral("host"), settings.host).toString();
    settings.port = ini.value(QStringLiteral("port"), settings.port).toInt();
    settings.database = ini.value(QStringLiteral("database"), settings.database).toString();
    settings.user = ini.value(QStringLiteral("user")).toString();
    settings.passwordFile = ini.value(QStringLiteral("passwordFile")).toString();
    return settings;
}

DatabaseSettings DatabaseSettings::sqliteFile(const QString &path)
{
    DatabaseSettings settings;
    settings.file = path;
    return settings;
}

bool DatabaseSettings::readPassword(QString *password, QString *error) const
{
    password->clear();
    if (passwordFile.isEmpty())
        return true;
    const QFileInfo info(passwordFile);
    if (!info.exists()) {
        *error = QStringLiteral("密码文件 %1 不存在").arg(passwordFile);
        return false;
    }
    if ((info.permissions() & othersAccess) || info.ownerId() != ::getuid()) {
        *error =
            QStringLiteral("密码文件 %1 必须只有其所有者可以读写（chmod 600）").arg(passwordFile);
        return false;
    }
    QFile file(passwordFile);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("密码文件 %1 无法读取：%2").arg(passwordFile, file.errorString());
        return false;
    }
    QByteArray line = file.readLine();
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    *password = QString::fromUtf8(line);
    return true;
}

QString DatabaseSettings::description() const
{
    if (driver == Sqlite)
        return QFileInfo(file).absoluteFilePath();
    return QStringLiteral("%1@%2:%3/%4").arg(user, host).arg(port).arg(database);
}

#pragma once

#include <QString>

// Where the lab records are kept, from the group "Records" of config.ini:
// by default an SQLite file in the working folder; with server=postgresql, a
// PostgreSQL server shared by the lab's stations (host, port, database, user,
// and passwordFile, a file that only its owner may read).
class DatabaseSettings
{
public:
    enum Driver_e
    {
        Sqlite,
        Postgres
    };

    static DatabaseSettings fromConfig(const QString &iniPath = QStringLiteral("config.ini"));
    static DatabaseSettings sqliteFile(const QString &path);

    // The password from the password file, refused when the file can be read
    // or written by anyone but its owner, or belongs to another user. The
    // reason never holds the password.
    bool readPassword(QString *password, QString *error) const;
    // What the records are kept in, for messages: the file, or user@host:port/database.
    QString description() const;

    Driver_e driver = Sqlite;
    QString file = QStringLiteral("records.db");
    QString host = QStringLiteral("localhost");
    int port = 5432;
    QString database = QStringLiteral("rt58");
    QString user;
    QString passwordFile;
    // How long a statement waits for another copy's write lock, and how long
    // a connection to the server may take.
    int busyTimeoutMs = 5000;
    int connectTimeoutSeconds = 5;
};

#pragma once

#include <QString>

// Keeps a second copy of the program from running under the same name.
// Linux has no named mutex: the guard holds an advisory lock on a file in the
// user's runtime folder, which only the user can reach, and which the system
// releases when the process ends, however it ends.
class SingleInstanceGuard
{
public:
    explicit SingleInstanceGuard(const QString &name);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard &) = delete;
    SingleInstanceGuard &operator=(const SingleInstanceGuard &) = delete;

    // True when another process holds the guard of the same name. A guard that
    // could not be created for another reason reports false, so start-up goes on.
    bool alreadyRunning() const { return m_alreadyRunning; }
    // The lock file in the user's private runtime folder; empty when the user
    // has no such folder, and then there is no guard.
    QString lockFilePath() const { return m_lockFilePath; }
    void close();

    // The box that turns a second copy away.
    static void warnAlreadyRunning();

private:
    static QString lockFolder();

    QString m_lockFilePath;
    int m_fd = -1;
    bool m_alreadyRunning = false;
};

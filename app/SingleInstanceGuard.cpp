#include "app/SingleInstanceGuard.h"

#include <QFile>
#include <QMessageBox>
#include <QStandardPaths>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

SingleInstanceGuard::SingleInstanceGuard(const QString &name)
{
    const QString folder = lockFolder();
    if (folder.isEmpty())
        return;
    m_lockFilePath = folder + QLatin1Char('/') + name + QStringLiteral(".lock");
    const QByteArray path = QFile::encodeName(m_lockFilePath);
    m_fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0)
        return;
    if (::flock(m_fd, LOCK_EX | LOCK_NB) == 0)
        return;
    m_alreadyRunning = (errno == EWOULDBLOCK);
    close();
}

SingleInstanceGuard::~SingleInstanceGuard()
{
    close();
}

void SingleInstanceGuard::close()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

// The user's runtime folder: XDG_RUNTIME_DIR, or without it a folder in the
// temporary folder that Qt creates. Qt refuses a folder that another user owns
// and makes the folder private to the user, so no one else can take the lock
// first. Without such a folder there is no guard, and start-up goes on.
QString SingleInstanceGuard::lockFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
}

void SingleInstanceGuard::warnAlreadyRunning()
{
    QMessageBox::warning(nullptr, QStringLiteral("警告"), QStringLiteral("应用程序已经在运行中！"),
                         QMessageBox::Ok, QMessageBox::NoButton);
}

#include "app/SingleInstanceGuard.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

SingleInstanceGuard::SingleInstanceGuard(const QString &name)
    : m_lockFilePath(lockFolder() + QLatin1Char('/') + name + QStringLiteral(".lock"))
{
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

QString SingleInstanceGuard::lockFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && QFileInfo(runtime).isWritable())
        return runtime;
    const QString fallback =
        QDir::tempPath() + QStringLiteral("/rt58-locks-") + QString::number(::getuid());
    QDir().mkpath(fallback);
    return fallback;
}

void SingleInstanceGuard::warnAlreadyRunning()
{
    QMessageBox::warning(nullptr, QStringLiteral("警告"), QStringLiteral("应用程序已经在运行中！"),
                         QMessageBox::Ok, QMessageBox::NoButton);
}

#include "sim/PseudoTerminal.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {
QString systemError(const QString &what)
{
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}
} // namespace

PseudoTerminal::PseudoTerminal(QObject *parent) : QObject(parent) {}

PseudoTerminal::~PseudoTerminal()
{
    removeLink();
    if (m_terminal >= 0)
        ::close(m_terminal);
    if (m_master >= 0)
        ::close(m_master);
}

bool PseudoTerminal::open(const QString &linkPath, QString &error)
{
    if (!openTerminal(error) || !publishLink(linkPath, error))
        return false;
    m_notifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &PseudoTerminal::readAvailable);
    return true;
}

void PseudoTerminal::write(const QByteArray &bytes)
{
    const ssize_t written = ::write(m_master, bytes.constData(), static_cast<size_t>(bytes.size()));
    if (written < bytes.size())
        std::fprintf(stderr, "rt58-sim: %lld of %d reply bytes dropped (nobody reads the port)\n",
                     static_cast<long long>(bytes.size() - qMax<ssize_t>(written, 0)),
                     bytes.size());
}

// Raw mode: no echo, no line editing, no translation of carriage returns.
bool PseudoTerminal::openTerminal(QString &error)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::fcntl(m_master, F_SETFL, O_NONBLOCK) != 0 || ::grantpt(m_master) != 0 ||
        ::unlockpt(m_master) != 0) {
        error = systemError(QStringLiteral("cannot create a pseudo-terminal"));
        return false;
    }
    const char *name = ::ptsname(m_master);
    m_terminalPath = QFile::decodeName(name);
    m_terminal = ::open(name, O_RDWR | O_NOCTTY);
    termios settings{};
    if (m_terminal < 0 || ::tcgetattr(m_terminal, &settings) != 0) {
        error = systemError(QStringLiteral("cannot open %1").arg(m_terminalPath));
        return false;
    }
    ::cfmakeraw(&settings);
    if (::tcsetattr(m_terminal, TCSANOW, &settings) != 0) {
        error = systemError(QStringLiteral("cannot set raw mode on %1").arg(m_terminalPath));
        return false;
    }
    return true;
}

bool PseudoTerminal::publishLink(const QString &linkPath, QString &error)
{
    const QByteArray link = QFile::encodeName(linkPath);
    const QFileInfo existing(linkPath);
    if (existing.isSymLink()) {
        ::unlink(link.constData());
    } else if (existing.exists()) {
        error = QStringLiteral("%1 exists and is not a symbolic link; choose another --link")
                    .arg(linkPath);
        return false;
    }
    if (::symlink(QFile::encodeName(m_terminalPath).constData(), link.constData()) != 0) {
        error = systemError(QStringLiteral("cannot create the link %1").arg(linkPath));
        return false;
    }
    m_linkPath = linkPath;
    return true;
}

void PseudoTerminal::readAvailable()
{
    char chunk[4096];
    const ssize_t count = ::read(m_master, chunk, sizeof chunk);
    if (count > 0)
        emit received(QByteArray(chunk, static_cast<int>(count)));
}

// Only a link that still points at this terminal is removed: another
// simulator may have taken the path over meanwhile.
void PseudoTerminal::removeLink()
{
    if (m_linkPath.isEmpty())
        return;
    if (QFile::symLinkTarget(m_linkPath) == m_terminalPath)
        ::unlink(QFile::encodeName(m_linkPath).constData());
    m_linkPath.clear();
}

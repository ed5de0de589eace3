#include "sim/TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {
sigset_t terminationSet()
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigaddset(&set, SIGTERM);
    sigaddset(&set, SIGHUP);
    return set;
}
} // namespace

void TerminationSignals::block()
{
    const sigset_t set = terminationSet();
    sigprocmask(SIG_BLOCK, &set, nullptr);
}

TerminationSignals::TerminationSignals(QObject *parent) : QObject(parent)
{
    const sigset_t set = terminationSet();
    m_descriptor = signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK);
    if (m_descriptor < 0)
        return;
    m_notifier = new QSocketNotifier(m_descriptor, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::readSignal);
}

TerminationSignals::~TerminationSignals()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

void TerminationSignals::readSignal()
{
    signalfd_siginfo info{};
    if (::read(m_descriptor, &info, sizeof info) == sizeof info)
        emit received(static_cast<int>(info.ssi_signo));
}

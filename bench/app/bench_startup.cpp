#include "Percentile.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <cstdlib>

#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

// Time from process start to the window shown (mapped on the X server), and
// resident memory once it is shown, under a virtual X server, for RT-58 and
// for three references: a bare program with a main window, a table and a
// chart view, with Qt's defaults and once more drawing with the raster engine
// only, as RT-58 does; and RT-58's own window (form, style sheet, catalogue)
// with none of the program behind it.

namespace {
struct Sample
{
    double milliseconds = 0;
    double residentMiB = 0;
};

// Watches a display for top-level windows being mapped, and tells whose they
// are by the process id that Qt puts on every window it creates.
class MapWatcher
{
public:
    explicit MapWatcher(const QByteArray &display)
        : m_connection(xcb_connect(display.constData(), nullptr))
    {
        if (xcb_connection_has_error(m_connection))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        m_pidAtom = atom("_NET_WM_PID");
    }
    ~MapWatcher() { xcb_disconnect(m_connection); }
    MapWatcher(const MapWatcher &) = delete;
    MapWatcher &operator=(const MapWatcher &) = delete;

    bool isValid() const { return m_root != 0; }

    // Waits until the process maps a window; false after the timeout.
    bool waitForWindow(qint64 pid, const QElapsedTimer &clock, qint64 timeoutMs)
    {
        pollfd descriptor{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        while (clock.elapsed() < timeoutMs) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
                const bool mapped =
                    (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                    windowPid(reinterpret_cast<xcb_map_notify_event_t *>(event)->window) == pid;
                std::free(event);
                if (mapped)
                    return true;
            }
            poll(&descriptor, 1, 10);
        }
        return false;
    }

private:
    xcb_atom_t atom(const char *name)
    {
        xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, uint16_t(qstrlen(name)), name), nullptr);
        const xcb_atom_t value = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return value;
    }

    qint64 windowPid(xcb_window_t window)
    {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            m_connection,
            xcb_get_property(m_connection, 0, window, m_pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
        qint64 pid = -1;
        if (reply && xcb_get_property_value_length(reply) == 4)
            pid = *static_cast<const uint32_t *>(xcb_get_property_value(reply));
        std::free(reply);
        return pid;
    }

    xcb_connection_t *m_connection;
    xcb_window_t m_root = 0;
    xcb_atom_t m_pidAtom = XCB_ATOM_NONE;
};

double residentMiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

struct Candidate
{
    const char *name;
    QString program;
    QStringList arguments;
};

Sample measure(MapWatcher &watcher, const Candidate &candidate, const QString &workingDir)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(workingDir);
    QElapsedTimer clock;
    clock.start();
    process.start(candidate.program, candidate.arguments);
    process.waitForStarted();
    Sample sample;
    watcher.waitForWindow(process.processId(), clock, 20000);
    sample.milliseconds = clock.nsecsElapsed() / 1e6;
    QThread::msleep(300);
    sample.residentMiB = residentMiB(process.processId());
    process.kill();
    process.waitForFinished();
    return sample;
}

bool byTime(const Sample &a, const Sample &b)
{
    return a.milliseconds < b.milliseconds;
}

// The fastest run: what start-up costs when nothing else on the machine
// competes for it.
double fastest(const QList<Sample> &samples)
{
    double best = samples.first().milliseconds;
    for (const Sample &sample : samples)
        best = qMin(best, sample.milliseconds);
    return best;
}

// Starts Xvfb on a display number that it picks itself among the free ones.
QString startVirtualDisplay(QProcess &server)
{
    server.start("Xvfb", {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    if (!server.waitForStarted() || !server.waitForReadyRead(10000))
        return QString();
    return QLatin1Char(':') + QString::fromLatin1(server.readLine().trimmed());
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const bool isShort = app.arguments().contains("--short");
    const int runs = isShort ? 5 : 21;
    // A display of its own, without a window manager, so that the program's
    // window is mapped straight on the root window and nothing else is.
    QProcess server;
    qputenv("DISPLAY", startVirtualDisplay(server).toLatin1());
    MapWatcher watcher(qgetenv("DISPLAY"));
    if (!watcher.isValid()) {
        std::printf("bench_startup: no X display\n");
        return 1;
    }

    QTemporaryDir folder;
    const QString program = folder.filePath("RT-58-bench");
    QFile::copy(QStringLiteral(RT58_PROGRAM), program);
    const QString bare = QStringLiteral(BARE_PROGRAM);
    const QList<Candidate> candidates{
        {"RT-58", program, {}},
        {"bare window", bare, {}},
        {"bare, raster only", bare, {"--raster"}},
        {"RT-58 window only", QStringLiteral(FORM_PROGRAM), {}},
    };

    QVector<QList<Sample>> samples(candidates.size());
    for (int run = 0; run < runs; ++run) {
        for (int i = 0; i < candidates.size(); ++i)
            samples[i] << measure(watcher, candidates.at(i), folder.path());
    }
    std::printf("start-up to window shown (median and fastest of %d runs, under Xvfb)\n", runs);
    const Sample rt58 = median(samples.at(0), byTime);
    const double rt58Fastest = fastest(samples.at(0));
    for (int i = 0; i < candidates.size(); ++i) {
        const Sample middle = median(samples.at(i), byTime);
        const double best = fastest(samples.at(i));
        std::printf("  %-18s %6.1f ms (fastest %5.1f), %5.1f MiB resident", candidates.at(i).name,
                    middle.milliseconds, best, middle.residentMiB);
        if (i > 0)
            std::printf("; RT-58 %4.2f x time (fastest %4.2f x), %4.2f x memory",
                        rt58.milliseconds / middle.milliseconds, rt58Fastest / best,
                        rt58.residentMiB / middle.residentMiB);
        std::printf("\n");
    }
    if (server.state() == QProcess::Running) {
        server.terminate();
        server.waitForFinished();
    }
    return 0;
}

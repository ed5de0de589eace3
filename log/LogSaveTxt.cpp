#include "log/LogSaveTxt.h"

#include "app/CsvField.h"
#include "app/GlobalState.h"
#include "log/LogClock.h"
#include "log/LogInput.h"

#include <QDateTime>
#include <QLocale>
#include <QMutexLocker>

#include <algorithm>
#include <atomic>

#include <unistd.h>

namespace {
std::atomic<LogSaveTxt *> writerInstance{nullptr};

QString levelWord(QtMsgType type)
{
    switch (type) {
    case QtWarningMsg:
        return QStringLiteral("warning");
    case QtCriticalMsg:
        return QStringLiteral("critical");
    case QtFatalMsg:
        return QStringLiteral("fatal");
    case QtInfoMsg:
        return QStringLiteral("info");
    case QtDebugMsg:
    default:
        return QStringLiteral("debug");
    }
}

// "HH:mm:ss" in ASCII digits whatever the locale; empty for an invalid time.
QString clockText(const QTime &time)
{
    return QLocale::c().toString(time, QStringLiteral("HH:mm:ss"));
}
} // namespace

LogSaveTxt *LogSaveTxt::instance()
{
    if (LogSaveTxt *existing = writerInstance.load(std::memory_order_acquire))
        return existing;
    static QMutex creationLock;
    QMutexLocker locker(&creationLock);
    if (!writerInstance.load(std::memory_order_relaxed))
        writerInstance.store(new LogSaveTxt, std::memory_order_release);
    return writerInstance.load(std::memory_order_relaxed);
}

LogSaveTxt::LogSaveTxt(QObject *parent) : LogSaveBase(parent)
{
    installFormats(Txt);
}

LogSaveTxt::FileType LogSaveTxt::fileType() const
{
    QMutexLocker locker(&m_mutex);
    return m_type;
}

void LogSaveTxt::setFileType(FileType type)
{
    QMutexLocker locker(&m_mutex);
    m_type = type;
    installFormats(type);
    saveLogName(QString());
    m_file.close();
}

void LogSaveTxt::installFormats(FileType type)
{
    switch (type) {
    case Txt:
        m_lineFormat = QStringLiteral("%1 %2 %3 %4 %5 %6");
        m_fileNameFormat = QStringLiteral("yyyy-MM-dd HH-mm-ss.log");
        m_dayFileNameFormat = QStringLiteral("yyyy-MM-dd.log");
        m_quoteFields = false;
        break;
    case Csv:
        m_lineFormat = QStringLiteral("%1,%2,%3,%4,%5,%6");
        m_fileNameFormat = QStringLiteral("yyyy-MM-dd HH-mm-ss.CSV");
        m_dayFileNameFormat = QStringLiteral("yyyy-MM-dd.CSV");
        m_quoteFields = true;
        break;
    }
    m_wantedPath.clear();
}

void LogSaveTxt::saveLog(QtMsgType type, const QTime &time, const QString &file,
                         const QString &function, int line, const QString &msg)
{
    QMutexLocker locker(&m_mutex);
    if (!checkLogFile())
        return;
    // One pass over the template: a marker inside a substituted field stays text.
    m_stream << m_lineFormat.arg(clockText(time), levelWord(type), field(file), field(function),
                                 QString::number(line), field(msg))
             << '\n';
    m_stream.flush();
}

// A Csv field is quoted where it must be; a Txt field stays as it is.
QString LogSaveTxt::field(const QString &text) const
{
    return m_quoteFields ? CsvField::quoted(text) : text;
}

bool LogSaveTxt::checkLogFile()
{
    switch (logRelyMode) {
    case 0:
        return checkByClock();
    case 1:
        return checkBySize();
    case 2:
        return checkByRows();
    default:
        return false;
    }
}

// "./Log/" followed by the name of a file started by the clock now: the date,
// and with time 12 "_上" for hours 0 to 12 or "_下" for 13 to 23 before the
// extension.
const QString &LogSaveTxt::wantedDayFilePath(const QDateTime &now)
{
    const QDate date = now.date();
    const int half = logTime == 12 ? (now.time().hour() <= 12 ? 1 : 2) : 0;
    if (date == m_wantedDate && half == m_wantedHalf && !m_wantedPath.isEmpty())
        return m_wantedPath;
    QString name = QLocale::c().toString(now, m_dayFileNameFormat);
    if (half != 0) {
        const QString mark = half == 1 ? QStringLiteral("_上") : QStringLiteral("_下");
        name.replace(QLatin1String(".log"), mark + QLatin1String(".log"));
        name.replace(QLatin1String(".CSV"), mark + QLatin1String(".CSV"));
    }
    m_wantedDate = date;
    m_wantedHalf = half;
    m_wantedPath = QLatin1String(logFolder) + name;
    return m_wantedPath;
}

bool LogSaveTxt::checkByClock()
{
    const QString &wantedPath = wantedDayFilePath(LogClock::now());
    if (m_file.isOpen() && (m_file.fileName() == wantedPath || m_standInFor == wantedPath))
        return true;
    const QString wanted = wantedPath.mid(int(qstrlen(logFolder)));
    // A name left from an earlier run is opened unchanged; the next record
    // switches to the wanted file.
    if (!m_file.isOpen() && !logName.isEmpty() && logName != wanted && openFile(logName))
        return true;
    m_standInFor.clear();
    if (startFile(wanted))
        return true;
    // The day's file cannot be opened: a file named by the time stands in for
    // it while the same file is wanted. When none opens, the next record tries
    // the day's file first again.
    if (startFile(QLocale::c().toString(LogClock::now(), m_fileNameFormat))) {
        m_standInFor = wantedPath;
        return true;
    }
    saveLogName(wanted);
    return false;
}

bool LogSaveTxt::checkBySize()
{
    if (!m_file.isOpen())
        return openNamedOrNewFile();
    // The file's size is asked for at every record, so that what another copy
    // of the program appends counts too. The limit is 32-bit: sizes from 0 to
    // 4095 MiB.
    const quint32 limit = logSize * 1048576u;
    if (fileSize() < qint64(limit))
        return true;
    return startFile(QLocale::c().toString(LogClock::now(), m_fileNameFormat));
}

bool LogSaveTxt::checkByRows()
{
    if (!m_file.isOpen()) {
        if (!openNamedOrNewFile())
            return false;
        // As many rows as pieces between line feeds: N complete lines count N + 1.
        m_file.seek(0);
        quint32 pieces = 1;
        char buffer[65536];
        qint64 got;
        while ((got = m_file.read(buffer, sizeof buffer)) > 0)
            pieces += quint32(std::count(buffer, buffer + got, '\n'));
        logRowCount = pieces;
        return true;
    }
    if (++logRowCount <= logRowNum)
        return true;
    logRowCount = 1;
    return startFile(QLocale::c().toString(LogClock::now(), m_fileNameFormat));
}

// The size of the open file as of this writer's last record. The file is open
// for appending, so every write first moves to the end of the file: the
// descriptor's offset after it counts what another copy of the program had
// appended by then. Asking for the offset costs far less than asking for the
// file's status at every record.
qint64 LogSaveTxt::fileSize() const
{
    const off_t end = ::lseek(m_file.handle(), 0, SEEK_CUR);
    return end >= 0 ? qint64(end) : m_file.size();
}

// The file that name names, as an earlier run left it; when there is none, or
// it cannot be opened, a new file named by the current time.
bool LogSaveTxt::openNamedOrNewFile()
{
    if (!logName.isEmpty() && openFile(logName))
        return true;
    return startFile(QLocale::c().toString(LogClock::now(), m_fileNameFormat));
}

bool LogSaveTxt::startFile(const QString &name)
{
    // A limit reached within the second in which the open file was named gives
    // that same name again: the record goes on into the open file, as closing,
    // saving the same name and reopening would have it, at a fraction of the cost.
    if (m_file.isOpen() && m_file.fileName() == QLatin1String(logFolder) + name)
        return true;
    m_file.close();
    saveLogName(name);
    return openFile(name);
}

// A name is a plain file name: nothing that leads out of "./Log/".
bool LogSaveTxt::isPlainFileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

bool LogSaveTxt::openFile(const QString &name)
{
    m_file.setFileName(QStringLiteral("%1%2").arg(QLatin1String(logFolder), name));
    if (!isPlainFileName(name) ||
        !m_file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Text)) {
        if (!m_openFailing) {
            m_openFailing = true;
            qWarning("打开日志文件失败");
        }
        return false;
    }
    m_openFailing = false;
    m_stream.setDevice(&m_file);
    m_stream.setCodec("UTF-8"); // binding the device brings back the locale's codec
    return true;
}

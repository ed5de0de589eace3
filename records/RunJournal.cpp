#include "records/RunJournal.h"

#include "app/CsvField.h"
#include "export/AtomicFile.h"

#include <QDebug>
#include <QDir>

#include <algorithm>

#include <fcntl.h>
#include <unistd.h>

namespace {
const QString fileNameFormat = QStringLiteral("yyyy-MM-dd_HH-mm-ss");
// Runs started within one second get the suffixes _2, _3, ... up to this.
constexpr int sameSecondRuns = 100;
constexpr QIODevice::OpenMode appendMode =
    QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered;

QByteArray csvLine(const QStringList &fields)
{
    QByteArray line;
    for (int i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line += ',';
        line += CsvField::quoted(fields.at(i)).toUtf8();
    }
    return line + "\r\n";
}
} // namespace

RunJournal::RunJournal(const QString &folder) : m_folder(folder)
{
    m_syncPool.setMaxThreadCount(1);
}

// The pool waits for the syncs still under way.
RunJournal::~RunJournal()
{
    end();
}

void RunJournal::begin(const QDateTime &start, const QStringList &header)
{
    end();
    m_active = true;
    m_warned = false;
    m_complete = true;
    m_rows.clear();
    m_writtenSize = 0;
    m_header = CsvField::byteOrderMark + csvLine(header);
    QString reason;
    if (!createFile(start, &reason))
        warn(reason);
    else if (!append(m_header))
        m_complete = false;
}

void RunJournal::record(int row, const QStringList &cells)
{
    if (!m_active)
        return;
    const QByteArray line = csvLine(cells);
    const Change_e change = store(row, line);
    if (!m_file.isOpen() || change == Unchanged)
        return;
    m_complete = change == Appended && m_complete ? append(line) : rewrite();
}

void RunJournal::end()
{
    m_active = false;
    m_file.close();
    m_rows.clear();
}

// Creates the run's file, never one of an earlier run, and has its folder
// entry synced too.
bool RunJournal::createFile(const QDateTime &start, QString *reason)
{
    const QDir folder(m_folder);
    const QString base = folder.absoluteFilePath(start.toString(fileNameFormat));
    m_path = base + QStringLiteral(".csv");
    m_file.setFileName(m_path);
    if (!QDir().mkpath(folder.absolutePath())) {
        *reason = QStringLiteral("cannot create the folder");
        return false;
    }
    for (int run = 2; !m_file.open(appendMode | QIODevice::NewOnly); ++run) {
        if (!m_file.exists() || run > sameSecondRuns) {
            *reason = m_file.errorString();
            return false;
        }
        m_path = QStringLiteral("%1_%2.csv").arg(base).arg(run);
        m_file.setFileName(m_path);
    }
    syncInBackground(::open(QFile::encodeName(folder.absolutePath()).constData(), O_RDONLY));
    return true;
}

RunJournal::Change_e RunJournal::store(int row, const QByteArray &line)
{
    const auto stored =
        std::find_if(m_rows.begin(), m_rows.end(),
                     [row](const QPair<int, QByteArray> &r) { return r.first == row; });
    if (stored == m_rows.end()) {
        m_rows.append({row, line});
        return Appended;
    }
    if (stored->second == line)
        return Unchanged;
    stored->second = line;
    return Replaced;
}

// A row that reaches the file only in part is cut off again, so that the
// file stays well-formed.
bool RunJournal::append(const QByteArray &bytes)
{
    if (m_file.write(bytes) == bytes.size()) {
        m_writtenSize += bytes.size();
        syncInBackground(::dup(m_file.handle()));
        return true;
    }
    warn(m_file.errorString());
    m_file.resize(m_writtenSize);
    return false;
}

// Replaces the file by one with every row; the old file stays until the new
// one is complete.
bool RunJournal::rewrite()
{
    const QByteArray bytes = contents();
    QString error;
    if (!AtomicFile::write(m_path, bytes, &error)) {
        warn(error);
        return false;
    }
    m_file.close();
    if (!m_file.open(appendMode)) {
        warn(m_file.errorString());
        return false;
    }
    m_writtenSize = bytes.size();
    return true;
}

QByteArray RunJournal::contents() const
{
    QByteArray bytes = m_header;
    for (const auto &row : m_rows)
        bytes += row.second;
    return bytes;
}

// Takes over the descriptor and closes it when the data is on disk.
void RunJournal::syncInBackground(int descriptor)
{
    if (descriptor < 0)
        return;
    m_syncPool.start([descriptor] {
        ::fsync(descriptor);
        ::close(descriptor);
    });
}

void RunJournal::warn(const QString &reason)
{
    if (m_warned)
        return;
    m_warned = true;
    qWarning().noquote() << QStringLiteral("运行记录无法写入：%1（%2）").arg(m_path, reason);
    if (m_failureHandler)
        m_failureHandler(m_path, reason);
}

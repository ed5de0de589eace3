#include "records/SchemeFile.h"

#include "app/CsvField.h"
#include "export/AtomicFile.h"
#include "records/SchemeCheck.h"

#include <QFile>
#include <QStringList>

namespace {
const QString header = QStringLiteral("幅值,频率");
// A scheme file is a few hundred bytes; anything this large is not one.
constexpr qint64 largestFile = 1 << 20;

bool isHeader(const QString &line)
{
    const QString text = line.simplified().remove(QLatin1Char(' ')).toLower();
    return text == header || text == QLatin1String("amplitude,frequency");
}

QString unquoted(QString field)
{
    field = field.trimmed();
    if (field.size() >= 2 && field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"')))
        field = field.mid(1, field.size() - 2);
    return field;
}
} // namespace

bool SchemeFile::read(const QString &path, int sensorType, Scheme *scheme, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("无法打开文件：%1").arg(file.errorString());
        return false;
    }
    if (file.size() > largestFile) {
        *error = QStringLiteral("文件太大，不是测试方案");
        return false;
    }
    QByteArray bytes = file.readAll();
    if (bytes.startsWith(CsvField::byteOrderMark))
        bytes.remove(0, CsvField::byteOrderMark.size());
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    QVector<SchemeCheck::Line> points;
    for (int index = 0; index < lines.size(); ++index) {
        const QString line = lines.at(index).trimmed();
        if (line.isEmpty() || (index == 0 && isHeader(line)))
            continue;
        const QStringList fields = line.split(QLatin1Char(','));
        if (fields.size() != 2) {
            *error = QStringLiteral("第 %1 行：需要两个值，幅值和频率，以逗号分隔").arg(index + 1);
            return false;
        }
        points << SchemeCheck::Line{index + 1, unquoted(fields.at(0)), unquoted(fields.at(1))};
    }
    return SchemeCheck::accept(points, sensorType, scheme, error);
}

// The file is replaced only when it is complete on disk.
bool SchemeFile::write(const QString &path, const Scheme &scheme, QString *error)
{
    QByteArray bytes = CsvField::byteOrderMark + header.toUtf8() + "\r\n";
    for (const SchemePoint &point : scheme)
        bytes += (point.amplitude + QLatin1Char(',') + point.frequency).toUtf8() + "\r\n";
    return AtomicFile::write(path, bytes, error);
}

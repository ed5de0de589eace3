#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QPair>
#include <QString>

// Files of the tests: read and written whole, packages taken apart and put
// together, the built templates, and reports read by the independent
// readers (python-docx, openpyxl) through report_reader.py.
namespace OfficeFiles {

using Parts = QMap<QString, QByteArray>;

QByteArray read(const QString &path);
void write(const QString &path, const QByteArray &data);

Parts unzip(const QString &path);
// The bytes of a zip package of the parts, in name order; empty parts are
// left out.
QByteArray zip(const Parts &parts);

// A template as the build packed it ("doc/ExportWordBookmark.docx").
QString built(const QString &name);
// The parts of a built template with some replaced.
Parts builtParts(const QString &name, const Parts &replaced = Parts());
// The built Word template's document part, as text.
QString wordDocument();
// The built Word template's document part with text replaced; each text to
// replace must be in it.
QString documentWith(const QList<QPair<QString, QString>> &replacements);
// The built Word template with another document part.
QByteArray wordTemplateWith(const QString &document);

// What the independent reader finds in a report, or an empty object with
// its complaint.
QJsonObject readReport(const QString &path, QString *complaint);

} // namespace OfficeFiles

#pragma once

#include <QByteArray>
#include <QString>

// The whole path of a report, for the fuzz targets: a template given as
// bytes is put where the program looks for it, the report is made as the
// export button makes it (the save dialog and the boxes answered at once),
// and what is left behind is checked. A crash, a hang, or a broken promise
// stops the target: a failure that leaves a report or anything beside the
// target, a success whose report does not open, an export that ends in
// neither.
namespace FuzzExport {

// The built template ("ExportWordBookmark.docx") with one part replaced by
// the bytes.
QByteArray templateWith(const QString &name, const QString &part, const QByteArray &bytes);
void runWordReport(const QByteArray &templateFile);
void runExcelReport(const QByteArray &templateFile);

} // namespace FuzzExport

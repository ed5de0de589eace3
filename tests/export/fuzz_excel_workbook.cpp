// libFuzzer target of the Excel report made from a mutated workbook. The
// first byte picks what the rest is: the whole file, or one of the parts of
// the built template.
#include "FuzzExport.h"

#include <QStringList>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QStringList parts{
        QString(), QStringLiteral("xl/worksheets/sheet1.xml"), QStringLiteral("xl/workbook.xml"),
        QStringLiteral("xl/sharedStrings.xml"), QStringLiteral("xl/_rels/workbook.xml.rels")};
    if (size < 1)
        return 0;
    const QString &part = parts.at(data[0] % parts.size());
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<int>(size - 1));
    FuzzExport::runExcelReport(
        part.isEmpty() ? bytes
                       : FuzzExport::templateWith(QStringLiteral("ExportExcel.xlsx"), part, bytes));
    return 0;
}

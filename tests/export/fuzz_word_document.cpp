// libFuzzer target of the Word report made from a template whose document
// part is the input.
#include "FuzzExport.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray part(reinterpret_cast<const char *>(data), static_cast<int>(size));
    FuzzExport::runWordReport(FuzzExport::templateWith(QStringLiteral("ExportWordBookmark.docx"),
                                                       QStringLiteral("word/document.xml"), part));
    return 0;
}

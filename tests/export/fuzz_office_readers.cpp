// libFuzzer target of the readers of the Office layer. The first byte picks
// the reader: an XML part on its own, or a whole file opened as a Word
// document and as a workbook.
#include "export/office/ooxml/DocxDocument.h"
#include "export/office/ooxml/XlsxWorkbook.h"
#include "export/office/ooxml/XmlDocument.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {
void readPackage(const QByteArray &bytes)
{
    static QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("input"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(bytes);
    file.close();
    QString error;
    DocxDocument::open(path, &error);
    XlsxWorkbook::open(path, &error);
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<int>(size - 1));
    if (data[0] % 2 == 0) {
        XmlDocument xml;
        QString error;
        if (xml.parse(bytes, &error))
            xml.serialize();
    } else {
        readPackage(bytes);
    }
    return 0;
}

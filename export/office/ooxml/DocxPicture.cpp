#include "export/office/ooxml/DocxPicture.h"

#include "export/office/ooxml/DocxDocument.h"
#include "export/office/ooxml/DocxRange.h"
#include "export/office/ooxml/OoxmlNamespaces.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QSize>

namespace {

constexpr qint64 emuPerInch = 914400;
constexpr qint64 emuPerTwip = 635;
constexpr int dotsPerInch = 96;

const QString inlineTemplate =
    QStringLiteral("<wp:inline distT=\"0\" distB=\"0\" distL=\"0\" distR=\"0\" xmlns:wp=\"%1\">"
                   "<wp:extent cx=\"%5\" cy=\"%6\"/>"
                   "<wp:effectExtent l=\"0\" t=\"0\" r=\"0\" b=\"0\"/>"
                   "<wp:docPr id=\"%7\" name=\"Picture %7\" descr=\"%8\"/>"
                   "<wp:cNvGraphicFramePr>"
                   "<a:graphicFrameLocks xmlns:a=\"%2\" noChangeAspect=\"1\"/>"
                   "</wp:cNvGraphicFramePr>"
                   "<a:graphic xmlns:a=\"%2\">"
                   "<a:graphicData uri=\"%3\">"
                   "<pic:pic xmlns:pic=\"%3\">"
                   "<pic:nvPicPr><pic:cNvPr id=\"%7\" name=\"%8\"/><pic:cNvPicPr/></pic:nvPicPr>"
                   "<pic:blipFill><a:blip r:embed=\"%9\" xmlns:r=\"%4\"/>"
                   "<a:stretch><a:fillRect/></a:stretch></pic:blipFill>"
                   "<pic:spPr><a:xfrm><a:off x=\"0\" y=\"0\"/><a:ext cx=\"%5\" cy=\"%6\"/></a:xfrm>"
                   "<a:prstGeom prst=\"rect\"><a:avLst/></a:prstGeom></pic:spPr>"
                   "</pic:pic>"
                   "</a:graphicData>"
                   "</a:graphic>"
                   "</wp:inline>");

QString contentTypeFor(const QString &extension)
{
    static const QHash<QString, QString> types{
        {QStringLiteral("png"), QStringLiteral("image/png")},
        {QStringLiteral("jpg"), QStringLiteral("image/jpeg")},
        {QStringLiteral("jpeg"), QStringLiteral("image/jpeg")},
        {QStringLiteral("gif"), QStringLiteral("image/gif")},
        {QStringLiteral("bmp"), QStringLiteral("image/bmp")}};
    return types.value(extension);
}

// Pixel size of a picture, from its header: the image is not decoded.
QSize pixelSize(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer).size();
}

// Pictures are placed at 96 dpi, the resolution of the pictures Qt writes.
qint64 extentEmu(int pixels)
{
    return pixels * emuPerInch / dotsPerInch;
}

// Fills the run with the inline drawing of the picture.
bool fillDrawingRun(DocxDocument &document, pugi::xml_node run, const QSize &pixels,
                    const QString &relationshipId, const QString &name)
{
    qint64 cx = extentEmu(pixels.width());
    qint64 cy = extentEmu(pixels.height());
    const qint64 maxWidth = document.textWidthTwips() * emuPerTwip;
    if (cx > maxWidth) {
        cy = cy * maxWidth / cx;
        cx = maxWidth;
    }
    const qint64 id = document.nextDrawingId();
    const QString xml =
        inlineTemplate
            .arg(QLatin1String(Ooxml::wordDrawingNs), QLatin1String(Ooxml::drawingNs),
                 QLatin1String(Ooxml::pictureNs), QLatin1String(Ooxml::relationshipsNs))
            .arg(cx)
            .arg(cy)
            .arg(id)
            .arg(name.toHtmlEscaped(), relationshipId);
    pugi::xml_document fragment;
    if (!fragment.load_string(xml.toUtf8().constData(), pugi::parse_default))
        return false;
    run.append_child("w:drawing").append_copy(fragment.document_element());
    return true;
}

} // namespace

bool DocxPicture::insertInline(DocxDocument &document, const DocxRange &range,
                               const QString &imagePath, QString *error)
{
    const QString extension = QFileInfo(imagePath).suffix().toLower();
    const QString contentType = contentTypeFor(extension);
    QFile file(imagePath);
    if (contentType.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read the picture %1").arg(imagePath);
        return false;
    }
    const QByteArray bytes = file.readAll();
    const QSize pixels = pixelSize(bytes);
    if (pixels.isEmpty()) {
        *error = QStringLiteral("%1 is not a picture").arg(imagePath);
        return false;
    }
    OfficePackage &package = document.package();
    const QString mediaPart =
        package.unusedPartName(QStringLiteral("word/media/image"), QLatin1Char('.') + extension);
    package.setPart(mediaPart, bytes);
    package.ensureDefaultContentType(extension, contentType);
    const QString id =
        package.addRelationship(document.mainPart(), QLatin1String(Ooxml::imageType), mediaPart);
    pugi::xml_node run = range.replaceWithRun(document);
    if (!run || !fillDrawingRun(document, run, pixels, id, QFileInfo(imagePath).fileName())) {
        *error = QStringLiteral("no place for the picture at the range");
        return false;
    }
    return true;
}

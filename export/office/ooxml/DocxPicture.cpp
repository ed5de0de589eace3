#include "export/office/ooxml/DocxPicture.h"

#include "export/office/ooxml/DocxDocument.h"
#include "export/office/ooxml/DocxRange.h"
#include "export/office/ooxml/OoxmlNamespaces.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QSize>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr qint64 emuPerInch = 914400;
constexpr qint64 emuPerTwip = 635;
constexpr int defaultDotsPerInch = 96;

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

// Pixel size and resolution (dots per metre, 0 when not given) of a picture.
struct Geometry
{
    QSize pixels;
    int dotsPerMeterX = 0;
    int dotsPerMeterY = 0;
};

quint32 bigEndianAt(const QByteArray &bytes, int at)
{
    return qFromBigEndian<quint32>(bytes.constData() + at);
}

// Geometry from the chunks of a PNG before its image data, which is not
// decoded: the header (IHDR) and the physical size (pHYs, in dots per metre
// when its unit is 1).
Geometry pngGeometry(const QByteArray &bytes)
{
    Geometry geometry;
    constexpr int chunkFrame = 12; // length, type, CRC
    for (int at = 8; at + chunkFrame <= bytes.size();) {
        const quint32 length = bigEndianAt(bytes, at);
        if (length > static_cast<quint32>(bytes.size() - at - chunkFrame))
            break;
        const QByteArray type = bytes.mid(at + 4, 4);
        const int data = at + 8;
        if (type == "IHDR" && length >= 8) {
            geometry.pixels = QSize(static_cast<int>(bigEndianAt(bytes, data)),
                                    static_cast<int>(bigEndianAt(bytes, data + 4)));
        } else if (type == "pHYs" && length >= 9 && bytes.at(data + 8) == 1) {
            geometry.dotsPerMeterX = static_cast<int>(bigEndianAt(bytes, data));
            geometry.dotsPerMeterY = static_cast<int>(bigEndianAt(bytes, data + 4));
        } else if (type == "IDAT") {
            break;
        }
        at += chunkFrame + static_cast<int>(length);
    }
    return geometry;
}

// A PNG's geometry is read from its header; other formats are decoded.
Geometry geometryOf(const QByteArray &bytes)
{
    if (bytes.startsWith(QByteArrayLiteral("\x89PNG\r\n\x1a\n")))
        return pngGeometry(bytes);
    const QImage image = QImage::fromData(bytes);
    return {image.size(), image.dotsPerMeterX(), image.dotsPerMeterY()};
}

// The resolution is taken in whole dots per inch, as a PNG stores it in dots
// per metre (96 dpi is kept as 3780 dots per metre).
qint64 extentEmu(int pixels, int dotsPerMeter)
{
    const int dotsPerInch = dotsPerMeter > 0 ? qRound(dotsPerMeter * 0.0254) : defaultDotsPerInch;
    return pixels * emuPerInch / std::max(1, dotsPerInch);
}

// Fills the run with the inline drawing of the picture.
bool fillDrawingRun(DocxDocument &document, pugi::xml_node run, const Geometry &geometry,
                    const QString &relationshipId, const QString &name)
{
    qint64 cx = extentEmu(geometry.pixels.width(), geometry.dotsPerMeterX);
    qint64 cy = extentEmu(geometry.pixels.height(), geometry.dotsPerMeterY);
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
    const Geometry geometry = geometryOf(bytes);
    if (geometry.pixels.isEmpty()) {
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
    if (!run || !fillDrawingRun(document, run, geometry, id, QFileInfo(imagePath).fileName())) {
        *error = QStringLiteral("no place for the picture at the range");
        return false;
    }
    return true;
}

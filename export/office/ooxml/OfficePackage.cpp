#include "export/office/ooxml/OfficePackage.h"

#include "export/AtomicFile.h"
#include "export/office/ooxml/XmlPart.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QUrl>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <cstring>

namespace {

const QString contentTypesPart = QStringLiteral("[Content_Types].xml");
const QByteArray emptyRelationships = QByteArrayLiteral(
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<Relationships "
    "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"/>");

QString folderOf(const QString &partName)
{
    const int slash = partName.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : partName.left(slash);
}

// Reads the current entry. An entry that unpacks to more than any report
// template holds is refused, so that a damaged or hostile archive cannot
// exhaust the memory; the unpacking stops at the size the entry declares.
bool readEntry(QuaZip &zip, const QuaZipFileInfo64 &info, QByteArray *data, QString *error)
{
    constexpr quint64 maximumPartSize = 256 * 1024 * 1024;
    QuaZipFile file(&zip);
    if (info.uncompressedSize > maximumPartSize || !file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read entry %1").arg(zip.getCurrentFileName());
        return false;
    }
    *data = file.readAll();
    file.close();
    if (file.getZipError() != UNZ_OK) {
        *error = QStringLiteral("damaged entry %1").arg(zip.getCurrentFileName());
        return false;
    }
    return true;
}

bool writeEntry(QuaZip &zip, const QString &name, const QDateTime &modified, const QByteArray &data)
{
    QuaZipNewInfo info(name);
    if (modified.isValid())
        info.dateTime = modified;
    info.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::WriteOnly, info, nullptr, 0, Z_DEFLATED, Z_BEST_SPEED))
        return false;
    const bool written = file.write(data) == data.size();
    file.close();
    return written && file.getZipError() == ZIP_OK;
}

} // namespace

bool OfficePackage::load(const QString &path, QString *error)
{
    m_entries.clear();
    m_index.clear();
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("%1 does not exist").arg(path);
        return false;
    }
    QuaZip zip(path);
    if (!zip.open(QuaZip::mdUnzip)) {
        *error = QStringLiteral("%1 is not a zip archive").arg(path);
        return false;
    }
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFileInfo64 info;
        zip.getCurrentFileInfo(&info);
        Entry entry{info.name, QByteArray(), info.dateTime};
        if (!readEntry(zip, info, &entry.data, error))
            return false;
        m_index.insert(entry.name.toLower(), m_entries.size());
        m_entries.append(entry);
    }
    const bool complete = zip.getZipError() == UNZ_OK;
    zip.close();
    if (!complete)
        *error = QStringLiteral("%1 is a damaged zip archive").arg(path);
    return complete;
}

bool OfficePackage::save(const QString &path, QString *error) const
{
    QByteArray bytes;
    if (!pack(&bytes)) {
        *error = QStringLiteral("cannot pack %1").arg(path);
        return false;
    }
    return AtomicFile::write(path, bytes, error);
}

// Zips into memory, where no write fails half-way unnoticed; the file is
// written whole afterwards.
bool OfficePackage::pack(QByteArray *bytes) const
{
    QBuffer buffer(bytes);
    QuaZip zip(&buffer);
    zip.setUtf8Enabled(true);
    if (!zip.open(QuaZip::mdCreate))
        return false;
    bool written = true;
    for (const Entry &entry : m_entries) {
        written = writeEntry(zip, entry.name, entry.modified, entry.data);
        if (!written)
            break;
    }
    zip.close();
    return written && zip.getZipError() == ZIP_OK;
}

bool OfficePackage::contains(const QString &partName) const
{
    return indexOf(partName) >= 0;
}

QByteArray OfficePackage::part(const QString &partName) const
{
    const int index = indexOf(partName);
    return index < 0 ? QByteArray() : m_entries.at(index).data;
}

void OfficePackage::setPart(const QString &partName, const QByteArray &data)
{
    const int index = indexOf(partName);
    if (index >= 0) {
        m_entries[index].data = data;
        m_entries[index].modified = QDateTime::currentDateTime();
        return;
    }
    m_index.insert(partName.toLower(), m_entries.size());
    m_entries.append({partName, data, QDateTime::currentDateTime()});
}

void OfficePackage::removePart(const QString &partName)
{
    const int index = indexOf(partName);
    if (index < 0)
        return;
    m_entries.remove(index);
    m_index.clear();
    for (int i = 0; i < m_entries.size(); ++i)
        m_index.insert(m_entries.at(i).name.toLower(), i);
}

QString OfficePackage::unusedPartName(const QString &stem, const QString &suffix) const
{
    for (int n = 1;; ++n) {
        const QString name = stem + QString::number(n) + suffix;
        if (!contains(name))
            return name;
    }
}

QVector<OfficePackage::Relationship> OfficePackage::relationships(const QString &sourcePart) const
{
    QVector<Relationship> found;
    XmlPart rels;
    QString ignored;
    if (!rels.parse(part(relationshipsPart(sourcePart)), &ignored))
        return found;
    for (pugi::xml_node child = rels.root().child("Relationship"); child;
         child = child.next_sibling("Relationship")) {
        Relationship relationship;
        relationship.id = QString::fromUtf8(child.attribute("Id").value());
        relationship.type = QString::fromUtf8(child.attribute("Type").value());
        relationship.external = std::strcmp(child.attribute("TargetMode").value(), "External") == 0;
        const QString target = QString::fromUtf8(child.attribute("Target").value());
        relationship.target = relationship.external ? target : resolveTarget(sourcePart, target);
        found.append(relationship);
    }
    return found;
}

QString OfficePackage::relatedPart(const QString &sourcePart, const QString &type) const
{
    for (const Relationship &relationship : relationships(sourcePart)) {
        if (relationship.type == type && !relationship.external)
            return relationship.target;
    }
    return QString();
}

QString OfficePackage::addRelationship(const QString &sourcePart, const QString &type,
                                       const QString &targetPart)
{
    const QString relsPart = relationshipsPart(sourcePart);
    XmlPart rels;
    QString ignored;
    if (!rels.parse(part(relsPart), &ignored))
        rels.parse(emptyRelationships, &ignored);
    QSet<QString> usedIds;
    for (const Relationship &relationship : relationships(sourcePart))
        usedIds.insert(relationship.id);
    QString id;
    for (int n = usedIds.size() + 1; id.isEmpty() || usedIds.contains(id); ++n)
        id = QStringLiteral("rId") + QString::number(n);
    pugi::xml_node element = rels.root().append_child("Relationship");
    element.append_attribute("Id").set_value(id.toUtf8().constData());
    element.append_attribute("Type").set_value(type.toUtf8().constData());
    element.append_attribute("Target").set_value(
        relativeTarget(sourcePart, targetPart).toUtf8().constData());
    setPart(relsPart, rels.serialize());
    return id;
}

void OfficePackage::removeRelationships(const QString &sourcePart, const QString &type)
{
    const QString relsPart = relationshipsPart(sourcePart);
    XmlPart rels;
    QString ignored;
    if (!rels.parse(part(relsPart), &ignored))
        return;
    const QByteArray wanted = type.toUtf8();
    pugi::xml_node child = rels.root().first_child();
    while (child) {
        pugi::xml_node next = child.next_sibling();
        if (wanted == child.attribute("Type").value())
            rels.root().remove_child(child);
        child = next;
    }
    setPart(relsPart, rels.serialize());
}

void OfficePackage::ensureDefaultContentType(const QString &extension, const QString &contentType)
{
    XmlPart types;
    QString ignored;
    if (!types.parse(part(contentTypesPart), &ignored))
        return;
    for (pugi::xml_node child = types.root().child("Default"); child;
         child = child.next_sibling("Default")) {
        if (extension.compare(QString::fromUtf8(child.attribute("Extension").value()),
                              Qt::CaseInsensitive) == 0)
            return;
    }
    pugi::xml_node element = types.root().prepend_child("Default");
    element.append_attribute("Extension").set_value(extension.toUtf8().constData());
    element.append_attribute("ContentType").set_value(contentType.toUtf8().constData());
    setPart(contentTypesPart, types.serialize());
}

void OfficePackage::removeContentTypeOverride(const QString &partName)
{
    XmlPart types;
    QString ignored;
    if (!types.parse(part(contentTypesPart), &ignored))
        return;
    const QString name = QLatin1Char('/') + partName;
    pugi::xml_node child = types.root().child("Override");
    while (child) {
        pugi::xml_node next = child.next_sibling("Override");
        if (name.compare(QString::fromUtf8(child.attribute("PartName").value()),
                         Qt::CaseInsensitive) == 0)
            types.root().remove_child(child);
        child = next;
    }
    setPart(contentTypesPart, types.serialize());
}

QString OfficePackage::relationshipsPart(const QString &sourcePart)
{
    if (sourcePart.isEmpty())
        return QStringLiteral("_rels/.rels");
    const QString folder = folderOf(sourcePart);
    const QString file = sourcePart.mid(folder.isEmpty() ? 0 : folder.size() + 1);
    const QString relsFolder = folder.isEmpty() ? QStringLiteral("_rels") : folder + "/_rels";
    return relsFolder + QLatin1Char('/') + file + QStringLiteral(".rels");
}

QString OfficePackage::resolveTarget(const QString &sourcePart, const QString &target)
{
    const QString decoded = QUrl::fromPercentEncoding(target.toUtf8());
    if (decoded.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(decoded.mid(1));
    const QString folder = folderOf(sourcePart);
    return QDir::cleanPath(folder.isEmpty() ? decoded : folder + QLatin1Char('/') + decoded);
}

QString OfficePackage::relativeTarget(const QString &sourcePart, const QString &targetPart)
{
    const QString folder = folderOf(sourcePart);
    if (folder.isEmpty())
        return targetPart;
    if (targetPart.startsWith(folder + QLatin1Char('/')))
        return targetPart.mid(folder.size() + 1);
    return QLatin1Char('/') + targetPart;
}

int OfficePackage::indexOf(const QString &partName) const
{
    return m_index.value(partName.toLower(), -1);
}

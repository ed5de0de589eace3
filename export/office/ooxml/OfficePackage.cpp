#include "export/office/ooxml/OfficePackage.h"

#include "export/office/ooxml/OoxmlNamespaces.h"
#include "export/office/ooxml/XmlDocument.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QSet>
#include <QUrl>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

namespace {

const QString contentTypesPart = QStringLiteral("[Content_Types].xml");

QString folderOf(const QString &partName)
{
    const int slash = partName.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : partName.left(slash);
}

bool readEntry(QuaZip &zip, QByteArray *data, QString *error)
{
    QuaZipFile file(&zip);
    if (!file.open(QIODevice::ReadOnly)) {
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
        if (!readEntry(zip, &entry.data, error))
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
    QSaveFile file(path);
    QuaZip zip(&file);
    zip.setUtf8Enabled(true);
    if (!zip.open(QuaZip::mdCreate)) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    bool written = true;
    for (const Entry &entry : m_entries) {
        written = writeEntry(zip, entry.name, entry.modified, entry.data);
        if (!written)
            break;
    }
    if (!written)
        file.cancelWriting();
    zip.close();
    if (!written || zip.getZipError() != ZIP_OK) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
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
    XmlDocument rels;
    QString ignored;
    if (!rels.parse(part(relationshipsPart(sourcePart)), &ignored))
        return found;
    for (const auto &child : rels.root()->children()) {
        if (!child->is(Ooxml::packageRelationshipsNs, QStringLiteral("Relationship")))
            continue;
        Relationship relationship;
        relationship.id = child->attribute(QString(), QStringLiteral("Id"));
        relationship.type = child->attribute(QString(), QStringLiteral("Type"));
        relationship.external =
            child->attribute(QString(), QStringLiteral("TargetMode")) == QLatin1String("External");
        const QString target = child->attribute(QString(), QStringLiteral("Target"));
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
    XmlDocument rels;
    QString ignored;
    if (!rels.parse(part(relsPart), &ignored)) {
        rels.parse(QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" "
                                     "standalone=\"yes\"?>\n<Relationships xmlns=\"http://"
                                     "schemas.openxmlformats.org/package/2006/relationships\"/>"),
                   &ignored);
    }
    QSet<QString> usedIds;
    for (const Relationship &relationship : relationships(sourcePart))
        usedIds.insert(relationship.id);
    QString id;
    for (int n = usedIds.size() + 1; id.isEmpty() || usedIds.contains(id); ++n)
        id = QStringLiteral("rId") + QString::number(n);
    auto element =
        rels.createElement(Ooxml::packageRelationshipsNs, QStringLiteral("Relationship"));
    element->setAttribute({QStringLiteral("Id"), QString(), QStringLiteral("Id"), id});
    element->setAttribute({QStringLiteral("Type"), QString(), QStringLiteral("Type"), type});
    element->setAttribute({QStringLiteral("Target"), QString(), QStringLiteral("Target"),
                           relativeTarget(sourcePart, targetPart)});
    rels.root()->appendChild(std::move(element));
    setPart(relsPart, rels.serialize());
    return id;
}

void OfficePackage::removeRelationships(const QString &sourcePart, const QString &type)
{
    const QString relsPart = relationshipsPart(sourcePart);
    XmlDocument rels;
    QString ignored;
    if (!rels.parse(part(relsPart), &ignored))
        return;
    XmlNode *root = rels.root();
    for (int i = root->childCount() - 1; i >= 0; --i) {
        if (root->child(i)->attribute(QString(), QStringLiteral("Type")) == type)
            root->takeChild(i);
    }
    setPart(relsPart, rels.serialize());
}

void OfficePackage::ensureDefaultContentType(const QString &extension, const QString &contentType)
{
    XmlDocument types;
    QString ignored;
    if (!types.parse(part(contentTypesPart), &ignored))
        return;
    for (const auto &child : types.root()->children()) {
        if (child->is(Ooxml::contentTypesNs, QStringLiteral("Default")) &&
            child->attribute(QString(), QStringLiteral("Extension"))
                    .compare(extension, Qt::CaseInsensitive) == 0)
            return;
    }
    auto element = types.createElement(Ooxml::contentTypesNs, QStringLiteral("Default"));
    element->setAttribute(
        {QStringLiteral("Extension"), QString(), QStringLiteral("Extension"), extension});
    element->setAttribute(
        {QStringLiteral("ContentType"), QString(), QStringLiteral("ContentType"), contentType});
    types.root()->insertChild(0, std::move(element));
    setPart(contentTypesPart, types.serialize());
}

void OfficePackage::removeContentTypeOverride(const QString &partName)
{
    XmlDocument types;
    QString ignored;
    if (!types.parse(part(contentTypesPart), &ignored))
        return;
    XmlNode *root = types.root();
    const QString name = QLatin1Char('/') + partName;
    for (int i = root->childCount() - 1; i >= 0; --i) {
        const XmlNode *child = root->child(i);
        if (child->is(Ooxml::contentTypesNs, QStringLiteral("Override")) &&
            child->attribute(QString(), QStringLiteral("PartName"))
                    .compare(name, Qt::CaseInsensitive) == 0)
            root->takeChild(i);
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

#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVector>

// An Office Open XML package (.docx, .xlsx): the zip archive's parts held in
// memory by name, with the package's content types and relationships. Parts
// that are not changed are written back byte for byte, in their order.
class OfficePackage
{
public:
    struct Relationship
    {
        QString id;
        QString type;
        QString target; // part name inside the package, or the raw target when external
        bool external = false;
    };

    bool load(const QString &path, QString *error);
    // Writes the package as a whole file: a failure leaves an existing file
    // as it was.
    bool save(const QString &path, QString *error) const;

    bool contains(const QString &partName) const;
    QByteArray part(const QString &partName) const;
    void setPart(const QString &partName, const QByteArray &data);
    void removePart(const QString &partName);
    // "<stem><n><suffix>" with the smallest n >= 1 that no part uses.
    QString unusedPartName(const QString &stem, const QString &suffix) const;

    // Relationships of a part; an empty source name means the package itself.
    QVector<Relationship> relationships(const QString &sourcePart) const;
    QString relatedPart(const QString &sourcePart, const QString &type) const;
    QString addRelationship(const QString &sourcePart, const QString &type,
                            const QString &targetPart);
    void removeRelationships(const QString &sourcePart, const QString &type);

    void ensureDefaultContentType(const QString &extension, const QString &contentType);
    void removeContentTypeOverride(const QString &partName);

private:
    struct Entry
    {
        QString name;
        QByteArray data;
        QDateTime modified;
    };

    bool pack(QByteArray *bytes) const;
    static QString relationshipsPart(const QString &sourcePart);
    static QString resolveTarget(const QString &sourcePart, const QString &target);
    static QString relativeTarget(const QString &sourcePart, const QString &targetPart);
    int indexOf(const QString &partName) const;

    QVector<Entry> m_entries;
    QHash<QString, int> m_index;
};

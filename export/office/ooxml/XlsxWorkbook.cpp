#include "export/office/ooxml/XlsxWorkbook.h"

#include "export/office/ooxml/OoxmlNamespaces.h"
#include "export/office/ooxml/XlsxText.h"
#include "export/office/ooxml/XmlPart.h"

#include <cstring>

std::shared_ptr<XlsxWorkbook> XlsxWorkbook::open(const QString &path, QString *error)
{
    std::shared_ptr<XlsxWorkbook> workbook(new XlsxWorkbook());
    workbook->m_path = path;
    if (!workbook->m_package.load(path, error) || !workbook->load(error))
        return nullptr;
    return workbook;
}

bool XlsxWorkbook::load(QString *error)
{
    m_workbookPart = m_package.relatedPart(QString(), QLatin1String(Ooxml::officeDocumentType));
    XmlPart workbook;
    QString xmlError;
    if (m_workbookPart.isEmpty() || !workbook.parse(m_package.part(m_workbookPart), &xmlError) ||
        std::strcmp(workbook.root().name(), "workbook") != 0) {
        *error = QStringLiteral("%1 has no workbook part").arg(m_path);
        return false;
    }
    const QVector<OfficePackage::Relationship> relationships =
        m_package.relationships(m_workbookPart);
    for (pugi::xml_node sheet = workbook.root().child("sheets").child("sheet"); sheet;
         sheet = sheet.next_sibling("sheet")) {
        const QString id = QString::fromUtf8(sheet.attribute("r:id").value());
        QString part;
        for (const OfficePackage::Relationship &relationship : relationships) {
            if (relationship.id == id && relationship.type == QLatin1String(Ooxml::worksheetType))
                part = relationship.target;
        }
        m_sheetParts.append(part);
    }
    m_sheets.resize(static_cast<size_t>(m_sheetParts.size()));
    return true;
}

XlsxSheet *XlsxWorkbook::sheet(int index, QString *error)
{
    if (index < 0 || index >= m_sheetParts.size()) {
        *error = QStringLiteral("no sheet %1").arg(index + 1);
        return nullptr;
    }
    std::unique_ptr<XlsxSheet> &sheet = m_sheets[static_cast<size_t>(index)];
    if (sheet)
        return sheet.get();
    const QString &part = m_sheetParts.at(index);
    if (part.isEmpty() || !m_package.contains(part)) {
        *error = QStringLiteral("sheet %1 is not a worksheet of the workbook").arg(index + 1);
        return nullptr;
    }
    auto loaded = std::make_unique<XlsxSheet>();
    if (!loaded->load(m_package.part(part), error))
        return nullptr;
    sheet = std::move(loaded);
    return sheet.get();
}

QString XlsxWorkbook::cellText(XlsxSheet &sheet, int row, int column)
{
    return sheet.cellText(row, column, [this](int index) { return sharedString(index); });
}

void XlsxWorkbook::setCellText(XlsxSheet &sheet, int row, int column, const QString &text)
{
    if (sheet.setCellText(row, column, text))
        m_formulaRemoved = true;
}

bool XlsxWorkbook::save(QString *error)
{
    for (size_t i = 0; i < m_sheets.size(); ++i) {
        if (m_sheets[i] && m_sheets[i]->isModified())
            m_package.setPart(m_sheetParts.at(static_cast<int>(i)), m_sheets[i]->serialize());
    }
    const QString calcChain =
        m_package.relatedPart(m_workbookPart, QLatin1String(Ooxml::calcChainType));
    if (m_formulaRemoved && !calcChain.isEmpty()) {
        m_package.removePart(calcChain);
        m_package.removeRelationships(m_workbookPart, QLatin1String(Ooxml::calcChainType));
        m_package.removeContentTypeOverride(calcChain);
    }
    return m_package.save(m_path, error);
}

QString XlsxWorkbook::sharedString(int index)
{
    if (!m_sharedStringsLoaded)
        loadSharedStrings();
    return m_sharedStrings.value(index);
}

void XlsxWorkbook::loadSharedStrings()
{
    m_sharedStringsLoaded = true;
    const QString part =
        m_package.relatedPart(m_workbookPart, QLatin1String(Ooxml::sharedStringsType));
    XmlPart strings;
    QString ignored;
    if (part.isEmpty() || !strings.parse(m_package.part(part), &ignored))
        return;
    for (pugi::xml_node item = strings.root().child("si"); item; item = item.next_sibling("si"))
        m_sharedStrings.append(XlsxText::itemText(item));
}

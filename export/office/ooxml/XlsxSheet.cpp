#include "export/office/ooxml/XlsxSheet.h"

#include "export/office/ooxml/OoxmlNamespaces.h"
#include "export/office/ooxml/XlsxText.h"

#include <algorithm>
#include <climits>

namespace {

using Ooxml::sheetNs;

const QString rowName = QStringLiteral("row");
const QString cellName = QStringLiteral("c");

QString attribute(const XmlNode *element, const QString &name)
{
    return element->attribute(QString(), name);
}

void setAttribute(XmlNode *element, const QString &name, const QString &value)
{
    element->setAttribute({name, QString(), name, value});
}

// Column number of a cell reference such as "AB12", or 0.
int columnOf(const QString &reference)
{
    int column = 0;
    for (const QChar c : reference) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            break;
        column = column * 26 + (c.unicode() - 'A' + 1);
    }
    return column;
}

} // namespace

bool XlsxSheet::load(const QByteArray &xml, QString *error)
{
    if (!m_xml.parse(xml, error))
        return false;
    XmlNode *root = m_xml.root();
    m_sheetData = root->is(sheetNs, QStringLiteral("worksheet"))
                      ? root->firstChild(sheetNs, QStringLiteral("sheetData"))
                      : nullptr;
    if (!m_sheetData) {
        *error = QStringLiteral("the sheet is not a worksheet");
        return false;
    }
    indexRows();
    return true;
}

QByteArray XlsxSheet::serialize()
{
    updateDimension();
    return m_xml.serialize();
}

QString XlsxSheet::cellText(int row, int column, const SharedStrings &sharedStrings) const
{
    const XmlNode *cell = findCell(row, column);
    if (!cell)
        return QString();
    const QString type = attribute(cell, QStringLiteral("t"));
    if (type == QLatin1String("inlineStr")) {
        const XmlNode *inlineString = cell->firstChild(sheetNs, QStringLiteral("is"));
        return inlineString ? XlsxText::itemText(inlineString) : QString();
    }
    const XmlNode *value = cell->firstChild(sheetNs, QStringLiteral("v"));
    const QString stored = value ? value->textContent() : QString();
    if (type == QLatin1String("s"))
        return sharedStrings(stored.toInt());
    if (type == QLatin1String("b"))
        return stored == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    return type == QLatin1String("str") ? XlsxText::decodeEscapes(stored) : stored;
}

bool XlsxSheet::setCellText(int row, int column, const QString &text)
{
    XmlNode *cell = ensureCell(ensureRow(row), row, column);
    bool formulaRemoved = false;
    for (int i = cell->childCount() - 1; i >= 0; --i) {
        const XmlNode *child = cell->child(i);
        if (!child->is(sheetNs, QStringLiteral("extLst"))) {
            formulaRemoved = formulaRemoved || child->is(sheetNs, QStringLiteral("f"));
            cell->takeChild(i);
        }
    }
    setAttribute(cell, QStringLiteral("t"), QStringLiteral("inlineStr"));
    auto inlineString = element(QStringLiteral("is"));
    XmlNode *t = inlineString->appendChild(element(QStringLiteral("t")));
    t->setAttribute(
        m_xml.makeAttribute(Ooxml::xmlNs, QStringLiteral("space"), QStringLiteral("preserve")));
    t->appendChild(XmlNode::makeText(XlsxText::encodeEscapes(text)));
    cell->insertChild(0, std::move(inlineString));
    m_modified = true;
    return formulaRemoved;
}

QString XlsxSheet::columnName(int column)
{
    QString name;
    for (; column > 0; column = (column - 1) / 26)
        name.prepend(QChar('A' + (column - 1) % 26));
    return name;
}

XmlNode *XlsxSheet::findCell(int row, int column) const
{
    const auto found = m_rows.find(row);
    if (found == m_rows.end())
        return nullptr;
    for (const auto &child : found->second->children()) {
        if (child->is(sheetNs, cellName) &&
            columnOf(attribute(child.get(), QStringLiteral("r"))) == column)
            return child.get();
    }
    return nullptr;
}

XmlNode *XlsxSheet::ensureRow(int row)
{
    const auto next = m_rows.lower_bound(row);
    if (next != m_rows.end() && next->first == row)
        return next->second;
    auto rowElement = element(rowName);
    setAttribute(rowElement.get(), QStringLiteral("r"), QString::number(row));
    XmlNode *added = next == m_rows.end()
                         ? m_sheetData->appendChild(std::move(rowElement))
                         : m_sheetData->insertBefore(next->second, std::move(rowElement));
    m_rows.emplace_hint(next, row, added);
    return added;
}

XmlNode *XlsxSheet::ensureCell(XmlNode *rowElement, int row, int column)
{
    int position = rowElement->childCount();
    for (int i = 0; i < rowElement->childCount(); ++i) {
        XmlNode *child = rowElement->child(i);
        if (!child->is(sheetNs, cellName))
            continue;
        const int existing = columnOf(attribute(child, QStringLiteral("r")));
        if (existing == column)
            return child;
        if (existing > column) {
            position = i;
            break;
        }
    }
    rowElement->removeAttribute(QString(), QStringLiteral("spans"));
    auto cell = element(cellName);
    setAttribute(cell.get(), QStringLiteral("r"), columnName(column) + QString::number(row));
    const QString style = styleForNewCell(rowElement, column);
    if (!style.isEmpty())
        setAttribute(cell.get(), QStringLiteral("s"), style);
    return rowElement->insertChild(position, std::move(cell));
}

// A new cell takes the style of its row when the row has one, else that of
// its column.
QString XlsxSheet::styleForNewCell(const XmlNode *rowElement, int column) const
{
    if (attribute(rowElement, QStringLiteral("customFormat")) == QLatin1String("1"))
        return attribute(rowElement, QStringLiteral("s"));
    const XmlNode *columns = m_xml.root()->firstChild(sheetNs, QStringLiteral("cols"));
    if (!columns)
        return QString();
    for (const XmlNode *definition : columns->childElements(sheetNs, QStringLiteral("col"))) {
        const int min = attribute(definition, QStringLiteral("min")).toInt();
        const int max = attribute(definition, QStringLiteral("max")).toInt();
        if (column >= min && column <= max)
            return attribute(definition, QStringLiteral("style"));
    }
    return QString();
}

// Indexes the rows by number. Rows and cells without a reference take the
// position after the previous one; the reference is written in, so that
// cells added later cannot shift them.
void XlsxSheet::indexRows()
{
    m_rows.clear();
    int rowNumber = 0;
    for (const auto &child : m_sheetData->children()) {
        if (!child->is(sheetNs, rowName))
            continue;
        const int given = attribute(child.get(), QStringLiteral("r")).toInt();
        rowNumber = given > 0 ? given : rowNumber + 1;
        setAttribute(child.get(), QStringLiteral("r"), QString::number(rowNumber));
        m_rows[rowNumber] = child.get();
        int column = 0;
        for (const auto &cell : child->children()) {
            if (!cell->is(sheetNs, cellName))
                continue;
            const int givenColumn = columnOf(attribute(cell.get(), QStringLiteral("r")));
            column = givenColumn > 0 ? givenColumn : column + 1;
            setAttribute(cell.get(), QStringLiteral("r"),
                         columnName(column) + QString::number(rowNumber));
        }
    }
}

void XlsxSheet::updateDimension()
{
    XmlNode *dimension = m_xml.root()->firstChild(sheetNs, QStringLiteral("dimension"));
    if (!dimension || m_rows.empty())
        return;
    int firstColumn = INT_MAX;
    int lastColumn = 0;
    for (const auto &row : m_rows) {
        for (const auto &cell : row.second->children()) {
            if (!cell->is(sheetNs, cellName))
                continue;
            const int column = columnOf(attribute(cell.get(), QStringLiteral("r")));
            firstColumn = std::min(firstColumn, column);
            lastColumn = std::max(lastColumn, column);
        }
    }
    if (lastColumn == 0)
        return;
    setAttribute(dimension, QStringLiteral("ref"),
                 columnName(firstColumn) + QString::number(m_rows.begin()->first) +
                     QLatin1Char(':') + columnName(lastColumn) +
                     QString::number(m_rows.rbegin()->first));
}

std::unique_ptr<XmlNode> XlsxSheet::element(const QString &localName)
{
    return m_xml.createElement(sheetNs, localName);
}

#include "export/office/ooxml/XlsxSheet.h"

#include "export/office/ooxml/CellReference.h"
#include "export/office/ooxml/OoxmlNamespaces.h"
#include "export/office/ooxml/XlsxText.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

int columnOf(pugi::xml_node cell)
{
    return CellReference::column(cell.attribute("r").value());
}

} // namespace

bool XlsxSheet::load(const QByteArray &xml, QString *error)
{
    if (!m_xml.parse(xml, error))
        return false;
    pugi::xml_node root = m_xml.root();
    const bool worksheet =
        is(root, "worksheet") && std::strcmp(root.attribute("xmlns").value(), Ooxml::sheetNs) == 0;
    m_sheetData = worksheet ? root.child("sheetData") : pugi::xml_node();
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
    pugi::xml_node cell = findCell(row, column);
    if (!cell)
        return QString();
    const char *type = cell.attribute("t").value();
    if (std::strcmp(type, "inlineStr") == 0)
        return XlsxText::itemText(cell.child("is"));
    const QString stored = QString::fromUtf8(cell.child("v").text().get());
    if (std::strcmp(type, "s") == 0)
        return sharedStrings(stored.toInt());
    if (std::strcmp(type, "b") == 0)
        return stored == QLatin1String("1") ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    return std::strcmp(type, "str") == 0 ? XlsxText::decodeEscapes(stored) : stored;
}

bool XlsxSheet::setCellText(int row, int column, const QString &text)
{
    pugi::xml_node cell = ensureCell(ensureRow(row), row, column);
    bool formulaRemoved = false;
    pugi::xml_node child = cell.first_child();
    while (child) {
        pugi::xml_node next = child.next_sibling();
        if (!is(child, "extLst")) {
            formulaRemoved = formulaRemoved || is(child, "f");
            cell.remove_child(child);
        }
        child = next;
    }
    XmlPart::setAttribute(cell, "t", "inlineStr");
    pugi::xml_node t = cell.prepend_child("is").append_child("t");
    const QString escaped = XlsxText::encodeEscapes(text);
    if (!escaped.isEmpty() && (escaped.front().isSpace() || escaped.back().isSpace()))
        t.append_attribute("xml:space").set_value("preserve");
    t.append_child(pugi::node_pcdata).set_value(XmlPart::xmlText(escaped).constData());
    m_modified = true;
    return formulaRemoved;
}

pugi::xml_node XlsxSheet::findCell(int row, int column) const
{
    const auto found = m_rows.find(row);
    if (found == m_rows.end())
        return pugi::xml_node();
    for (pugi::xml_node cell = found->second.child("c"); cell; cell = cell.next_sibling("c")) {
        if (columnOf(cell) == column)
            return cell;
    }
    return pugi::xml_node();
}

pugi::xml_node XlsxSheet::ensureRow(int row)
{
    const auto next = m_rows.lower_bound(row);
    if (next != m_rows.end() && next->first == row)
        return next->second;
    pugi::xml_node added = next == m_rows.end()
                               ? m_sheetData.append_child("row")
                               : m_sheetData.insert_child_before("row", next->second);
    added.append_attribute("r").set_value(row);
    m_rows.emplace_hint(next, row, added);
    return added;
}

pugi::xml_node XlsxSheet::ensureCell(pugi::xml_node rowElement, int row, int column)
{
    pugi::xml_node following;
    // Cells are mostly written left to right: a cell after the last one
    // needs no search.
    pugi::xml_node last = rowElement.last_child();
    const bool afterLast = !last || (is(last, "c") && columnOf(last) < column);
    for (pugi::xml_node cell = afterLast ? pugi::xml_node() : rowElement.child("c"); cell;
         cell = cell.next_sibling("c")) {
        const int existing = columnOf(cell);
        if (existing == column)
            return cell;
        if (existing > column) {
            following = cell;
            break;
        }
    }
    rowElement.remove_attribute("spans");
    pugi::xml_node cell =
        following ? rowElement.insert_child_before("c", following) : rowElement.append_child("c");
    char buffer[24];
    cell.append_attribute("r").set_value(CellReference::write(row, column, buffer));
    const char *style = styleForNewCell(rowElement, column);
    if (*style)
        cell.append_attribute("s").set_value(style);
    return cell;
}

// A new cell takes the style of its row when the row has one, else that of
// its column.
const char *XlsxSheet::styleForNewCell(pugi::xml_node rowElement, int column) const
{
    if (std::strcmp(rowElement.attribute("customFormat").value(), "1") == 0)
        return rowElement.attribute("s").value();
    for (pugi::xml_node definition = m_xml.root().child("cols").child("col"); definition;
         definition = definition.next_sibling("col")) {
        if (column >= definition.attribute("min").as_int() &&
            column <= definition.attribute("max").as_int())
            return definition.attribute("style").value();
    }
    return "";
}

// Indexes the rows by number. Rows and cells without a usable reference take
// the position after the previous one; the reference is written in, so that
// cells added later cannot shift them. Rows past the last row of a sheet are
// left out of the index.
void XlsxSheet::indexRows()
{
    m_rows.clear();
    int rowNumber = 0;
    for (pugi::xml_node row = m_sheetData.child("row"); row; row = row.next_sibling("row")) {
        const int given = row.attribute("r").as_int();
        rowNumber = given > 0 && given <= CellReference::rowLimit ? given : rowNumber + 1;
        if (rowNumber > CellReference::rowLimit)
            break;
        XmlPart::setAttribute(row, "r", QByteArray::number(rowNumber).constData());
        m_rows[rowNumber] = row;
        int column = 0;
        for (pugi::xml_node cell = row.child("c"); cell; cell = cell.next_sibling("c")) {
            const int givenColumn = columnOf(cell);
            column =
                givenColumn > 0 ? givenColumn : std::min(column + 1, CellReference::columnLimit);
            char buffer[24];
            XmlPart::setAttribute(cell, "r", CellReference::write(rowNumber, column, buffer));
        }
    }
}

void XlsxSheet::updateDimension()
{
    pugi::xml_node dimension = m_xml.root().child("dimension");
    if (!dimension || m_rows.empty())
        return;
    int firstColumn = INT_MAX;
    int lastColumn = 0;
    for (const auto &row : m_rows) {
        for (pugi::xml_node cell = row.second.child("c"); cell; cell = cell.next_sibling("c")) {
            const int column = columnOf(cell);
            firstColumn = std::min(firstColumn, column);
            lastColumn = std::max(lastColumn, column);
        }
    }
    if (lastColumn == 0)
        return;
    char first[24];
    char last[24];
    const QByteArray ref =
        QByteArray(CellReference::write(m_rows.begin()->first, firstColumn, first)) + ':' +
        CellReference::write(m_rows.rbegin()->first, lastColumn, last);
    XmlPart::setAttribute(dimension, "ref", ref.constData());
}

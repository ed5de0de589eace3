#include "export/office/ooxml/DocxTables.h"

#include "export/office/ooxml/DocxDocument.h"
#include "export/office/ooxml/DocxText.h"
#include "export/office/ooxml/XmlPart.h"

#include <QByteArray>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

const std::vector<const char *> tablePropertyOrder{"w:tblStyle",
                                                   "w:tblpPr",
                                                   "w:tblOverlap",
                                                   "w:bidiVisual",
                                                   "w:tblStyleRowBandSize",
                                                   "w:tblStyleColBandSize",
                                                   "w:tblW",
                                                   "w:jc",
                                                   "w:tblCellSpacing",
                                                   "w:tblInd",
                                                   "w:tblBorders",
                                                   "w:shd",
                                                   "w:tblLayout",
                                                   "w:tblCellMar",
                                                   "w:tblLook",
                                                   "w:tblCaption",
                                                   "w:tblDescription",
                                                   "w:tblPrChange"};
const std::vector<const char *> cellPropertyOrder{
    "w:cnfStyle", "w:tcW",     "w:gridSpan", "w:hMerge",        "w:vMerge",    "w:tcBorders",
    "w:shd",      "w:noWrap",  "w:tcMar",    "w:textDirection", "w:tcFitText", "w:vAlign",
    "w:hideMark", "w:headers", "w:cellIns",  "w:cellDel",       "w:cellMerge", "w:tcPrChange"};

int rankOf(const char *name, const std::vector<const char *> &order)
{
    const auto found = std::find_if(order.cbegin(), order.cend(), [name](const char *entry) {
        return std::strcmp(entry, name) == 0;
    });
    return found == order.cend() ? -1 : static_cast<int>(found - order.cbegin());
}

// The child with the given name, inserted where the schema's order puts it
// when it is missing.
pugi::xml_node orderedChild(pugi::xml_node parent, const char *name,
                            const std::vector<const char *> &order)
{
    if (pugi::xml_node existing = parent.child(name))
        return existing;
    const int rank = rankOf(name, order);
    for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && rankOf(child.name(), order) > rank)
            return parent.insert_child_before(name, child);
    }
    return parent.append_child(name);
}

// The properties element that must come first in its parent.
pugi::xml_node leadingProperties(pugi::xml_node parent, const char *name)
{
    if (pugi::xml_node existing = parent.child(name))
        return existing;
    return parent.prepend_child(name);
}

void setWidth(pugi::xml_node element, const char *type, int value)
{
    XmlPart::setAttribute(element, "w:w", QByteArray::number(value).constData());
    XmlPart::setAttribute(element, "w:type", type);
}

std::vector<int> scaledGrid(pugi::xml_node table, int textWidth)
{
    std::vector<pugi::xml_node> columns;
    double total = 0;
    for (pugi::xml_node column = table.child("w:tblGrid").child("w:gridCol"); column;
         column = column.next_sibling("w:gridCol")) {
        columns.push_back(column);
        total += std::max(0.0, column.attribute("w:w").as_double());
    }
    std::vector<int> widths;
    for (pugi::xml_node column : columns) {
        const double share = total > 0 ? std::max(0.0, column.attribute("w:w").as_double()) / total
                                       : 1.0 / columns.size();
        widths.push_back(static_cast<int>(std::lround(share * textWidth)));
        XmlPart::setAttribute(column, "w:w", QByteArray::number(widths.back()).constData());
    }
    return widths;
}

void fitCellWidths(pugi::xml_node row, const std::vector<int> &grid)
{
    const int columnCount = static_cast<int>(grid.size());
    int column = std::clamp(row.child("w:trPr").child("w:gridBefore").attribute("w:val").as_int(0),
                            0, columnCount);
    for (pugi::xml_node cell : DocxText::contentElements(row, "w:tc")) {
        pugi::xml_node properties = leadingProperties(cell, "w:tcPr");
        const int span =
            std::clamp(properties.child("w:gridSpan").attribute("w:val").as_int(1), 1, columnCount);
        int width = 0;
        for (int i = column; i < column + span && i < columnCount; ++i)
            width += grid[static_cast<size_t>(i)];
        column = std::min(column + span, columnCount);
        if (width > 0)
            setWidth(orderedChild(properties, "w:tcW", cellPropertyOrder), "dxa", width);
    }
}

void removeIds(pugi::xml_node element)
{
    element.remove_attribute("w14:paraId");
    element.remove_attribute("w14:textId");
}

// Removes the layout whitespace below properties.
void stripWhitespace(pugi::xml_node properties)
{
    pugi::xml_node child = properties.first_child();
    while (child) {
        pugi::xml_node next = child.next_sibling();
        if (child.type() == pugi::node_element)
            stripWhitespace(child);
        else
            properties.remove_child(child);
        child = next;
    }
}

// Keeps the children that the predicate accepts, removing the others.
template <typename Keep> void keepChildren(pugi::xml_node parent, Keep keep)
{
    pugi::xml_node child = parent.first_child();
    while (child) {
        pugi::xml_node next = child.next_sibling();
        if (!keep(child))
            parent.remove_child(child);
        child = next;
    }
}

// Empties a copied paragraph: its properties stay, and a run holding only
// the properties of its first run.
void emptyParagraph(pugi::xml_node paragraph)
{
    removeIds(paragraph);
    pugi::xml_node run;
    if (pugi::xml_node runProperties = DocxText::firstRunProperties(paragraph)) {
        run = paragraph.append_child("w:r");
        run.append_move(runProperties);
        stripWhitespace(runProperties);
    }
    keepChildren(paragraph, [run](pugi::xml_node child) {
        if (is(child, "w:pPr"))
            stripWhitespace(child);
        return child == run || is(child, "w:pPr");
    });
}

// Empties a copied cell: its properties stay, and its first paragraph,
// emptied.
void emptyCell(pugi::xml_node cell)
{
    removeIds(cell);
    pugi::xml_node paragraph = cell.child("w:p");
    keepChildren(cell, [paragraph](pugi::xml_node child) {
        if (is(child, "w:tcPr"))
            stripWhitespace(child);
        return child == paragraph || is(child, "w:tcPr");
    });
    if (paragraph)
        emptyParagraph(paragraph);
    else
        cell.append_child("w:p");
}

// Empties copied row-level content: every cell is emptied, bookmarks and
// layout whitespace go.
void emptyRow(pugi::xml_node node)
{
    removeIds(node);
    keepChildren(node, [](pugi::xml_node child) {
        if (is(child, "w:tc"))
            emptyCell(child);
        else if (DocxText::isPropertyElement(child))
            stripWhitespace(child);
        else if (child.type() == pugi::node_element && !DocxText::isRangeMarker(child))
            emptyRow(child);
        else
            return false;
        return true;
    });
}

} // namespace

pugi::xml_node DocxTables::row(DocxDocument &document, pugi::xml_node table, int index)
{
    const std::vector<pugi::xml_node> &rows = document.rowsOf(table);
    return index >= 0 && index < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(index)]
                                                               : pugi::xml_node();
}

pugi::xml_node DocxTables::cell(DocxDocument &document, pugi::xml_node table, int rowIndex,
                                int columnIndex)
{
    pugi::xml_node tableRow = row(document, table, rowIndex);
    return tableRow ? DocxText::contentElement(tableRow, "w:tc", columnIndex) : pugi::xml_node();
}

// The empty row is made once per model row, as a copy emptied and kept
// outside the tree; every row added is a copy of it. Copies share the names
// and values read from the part, so they cost little.
pugi::xml_node DocxTables::insertRowBefore(DocxDocument &document, pugi::xml_node row)
{
    pugi::xml_node emptyCopy = document.emptyRowLike(row);
    if (!emptyCopy) {
        emptyCopy = row.parent().insert_copy_before(row, row);
        emptyRow(emptyCopy);
        document.discard(emptyCopy);
        document.setEmptyRowLike(row, emptyCopy);
    }
    pugi::xml_node copy = row.parent().insert_copy_before(emptyCopy, row);
    document.rowsInserted();
    return copy;
}

void DocxTables::fitToWindow(DocxDocument &document, pugi::xml_node table)
{
    pugi::xml_node properties = leadingProperties(table, "w:tblPr");
    setWidth(orderedChild(properties, "w:tblW", tablePropertyOrder), "pct", 5000);
    XmlPart::setAttribute(orderedChild(properties, "w:tblLayout", tablePropertyOrder), "w:type",
                          "autofit");
    const std::vector<int> grid = scaledGrid(table, document.textWidthTwips());
    for (pugi::xml_node tableRow : document.rowsOf(table))
        fitCellWidths(tableRow, grid);
    document.structureChanged();
}

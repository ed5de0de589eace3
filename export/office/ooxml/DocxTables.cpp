#include "export/office/ooxml/DocxTables.h"

#include "export/office/ooxml/DocxDocument.h"
#include "export/office/ooxml/DocxText.h"
#include "export/office/ooxml/OoxmlNamespaces.h"

#include <QStringList>

#include <cmath>

namespace {

using Ooxml::wordNs;

const QStringList tablePropertyOrder{"tblStyle",
                                     "tblpPr",
                                     "tblOverlap",
                                     "bidiVisual",
                                     "tblStyleRowBandSize",
                                     "tblStyleColBandSize",
                                     "tblW",
                                     "jc",
                                     "tblCellSpacing",
                                     "tblInd",
                                     "tblBorders",
                                     "shd",
                                     "tblLayout",
                                     "tblCellMar",
                                     "tblLook",
                                     "tblCaption",
                                     "tblDescription",
                                     "tblPrChange"};
const QStringList cellPropertyOrder{
    "cnfStyle", "tcW",     "gridSpan", "hMerge",        "vMerge",    "tcBorders",
    "shd",      "noWrap",  "tcMar",    "textDirection", "tcFitText", "vAlign",
    "hideMark", "headers", "cellIns",  "cellDel",       "cellMerge", "tcPrChange"};

// The child with the given name, inserted where the schema's order puts it
// when it is missing.
XmlNode *orderedChild(DocxDocument &document, XmlNode *parent, const QString &localName,
                      const QStringList &order)
{
    if (XmlNode *existing = parent->firstChild(wordNs, localName))
        return existing;
    const int rank = order.indexOf(localName);
    int position = parent->childCount();
    for (int i = 0; i < parent->childCount(); ++i) {
        const XmlNode *child = parent->child(i);
        if (child->isElement() && order.indexOf(child->localName()) > rank) {
            position = i;
            break;
        }
    }
    return parent->insertChild(position, document.element(localName));
}

// The properties element that must come first in its parent.
XmlNode *leadingProperties(DocxDocument &document, XmlNode *parent, const QString &localName)
{
    if (XmlNode *existing = parent->firstChild(wordNs, localName))
        return existing;
    return parent->insertChild(0, document.element(localName));
}

void setWidth(DocxDocument &document, XmlNode *element, const QString &type, int value)
{
    element->setAttribute(document.attribute(QStringLiteral("w"), QString::number(value)));
    element->setAttribute(document.attribute(QStringLiteral("type"), type));
}

int intValue(const XmlNode *element, int fallback)
{
    bool ok = false;
    const int value = element ? element->attribute(wordNs, QStringLiteral("val")).toInt(&ok) : 0;
    return ok ? value : fallback;
}

QVector<int> scaledGrid(DocxDocument &document, XmlNode *table, int textWidth)
{
    XmlNode *grid = table->firstChild(wordNs, QStringLiteral("tblGrid"));
    const QVector<XmlNode *> columns =
        grid ? grid->childElements(wordNs, QStringLiteral("gridCol")) : QVector<XmlNode *>();
    double total = 0;
    for (const XmlNode *column : columns)
        total += column->attribute(wordNs, QStringLiteral("w")).toDouble();
    QVector<int> widths;
    for (XmlNode *column : columns) {
        const double share = total > 0
                                 ? column->attribute(wordNs, QStringLiteral("w")).toDouble() / total
                                 : 1.0 / columns.size();
        widths.append(static_cast<int>(std::lround(share * textWidth)));
        column->setAttribute(
            document.attribute(QStringLiteral("w"), QString::number(widths.last())));
    }
    return widths;
}

void fitCellWidths(DocxDocument &document, XmlNode *row, const QVector<int> &grid)
{
    const XmlNode *rowProperties = row->firstChild(wordNs, QStringLiteral("trPr"));
    int column = intValue(
        rowProperties ? rowProperties->firstChild(wordNs, QStringLiteral("gridBefore")) : nullptr,
        0);
    for (XmlNode *cell : DocxText::contentElements(row, QStringLiteral("tc"))) {
        XmlNode *properties = leadingProperties(document, cell, QStringLiteral("tcPr"));
        const int span =
            std::max(1, intValue(properties->firstChild(wordNs, QStringLiteral("gridSpan")), 1));
        int width = 0;
        for (int i = column; i < column + span && i < grid.size(); ++i)
            width += grid.at(i);
        column += span;
        if (width > 0) {
            setWidth(document,
                     orderedChild(document, properties, QStringLiteral("tcW"), cellPropertyOrder),
                     QStringLiteral("dxa"), width);
        }
    }
}

// A copy of an element without its children and without the identifiers
// that must stay unique in a document.
std::unique_ptr<XmlNode> copyWithoutIds(const XmlNode *element)
{
    std::unique_ptr<XmlNode> copy = element->cloneEmpty();
    copy->removeAttribute(Ooxml::word2010Ns, QStringLiteral("paraId"));
    copy->removeAttribute(Ooxml::word2010Ns, QStringLiteral("textId"));
    return copy;
}

// A deep copy of properties without layout whitespace.
std::unique_ptr<XmlNode> copyProperties(const XmlNode *node)
{
    std::unique_ptr<XmlNode> copy = node->cloneEmpty();
    for (const auto &child : node->children()) {
        if (child->isElement())
            copy->appendChild(copyProperties(child.get()));
    }
    return copy;
}

// An empty cell formatted like the given one: its cell properties, and one
// paragraph with the properties of its first paragraph and a run holding
// only the properties of the first run.
std::unique_ptr<XmlNode> copyEmptyCell(DocxDocument &document, const XmlNode *cell)
{
    std::unique_ptr<XmlNode> copy = cell->cloneEmpty();
    if (const XmlNode *properties = cell->firstChild(wordNs, QStringLiteral("tcPr")))
        copy->appendChild(copyProperties(properties));
    const XmlNode *paragraph = cell->firstChild(wordNs, QStringLiteral("p"));
    if (!paragraph) {
        copy->appendChild(document.element(QStringLiteral("p")));
        return copy;
    }
    XmlNode *emptyParagraph = copy->appendChild(copyWithoutIds(paragraph));
    if (const XmlNode *properties = paragraph->firstChild(wordNs, QStringLiteral("pPr")))
        emptyParagraph->appendChild(copyProperties(properties));
    if (const XmlNode *runProperties = DocxText::firstRunProperties(paragraph)) {
        XmlNode *run = emptyParagraph->appendChild(document.element(QStringLiteral("r")));
        run->appendChild(copyProperties(runProperties));
    }
    return copy;
}

// Copies row-level content, replacing every cell by an empty one and leaving
// out bookmarks and layout whitespace.
std::unique_ptr<XmlNode> copyEmptyRow(DocxDocument &document, const XmlNode *node)
{
    std::unique_ptr<XmlNode> copy = copyWithoutIds(node);
    for (const auto &child : node->children()) {
        if (child->is(wordNs, QStringLiteral("tc")))
            copy->appendChild(copyEmptyCell(document, child.get()));
        else if (DocxText::isPropertyElement(child.get()))
            copy->appendChild(copyProperties(child.get()));
        else if (child->isElement() && !DocxText::isRangeMarker(child.get()))
            copy->appendChild(copyEmptyRow(document, child.get()));
    }
    return copy;
}

} // namespace

XmlNode *DocxTables::row(DocxDocument &document, XmlNode *table, int index)
{
    const std::vector<XmlNode *> &rows = document.rowsOf(table);
    return index >= 0 && index < static_cast<int>(rows.size()) ? rows[static_cast<size_t>(index)]
                                                               : nullptr;
}

XmlNode *DocxTables::cell(DocxDocument &document, XmlNode *table, int rowIndex, int columnIndex)
{
    const XmlNode *tableRow = row(document, table, rowIndex);
    if (!tableRow)
        return nullptr;
    const QVector<XmlNode *> cells = DocxText::contentElements(tableRow, QStringLiteral("tc"));
    return columnIndex >= 0 && columnIndex < cells.size() ? cells.at(columnIndex) : nullptr;
}

XmlNode *DocxTables::insertRowBefore(DocxDocument &document, XmlNode *row)
{
    std::unique_ptr<XmlNode> copy = copyEmptyRow(document, row);
    document.structureChanged();
    return row->parent()->insertBefore(row, std::move(copy));
}

void DocxTables::fitToWindow(DocxDocument &document, XmlNode *table)
{
    XmlNode *properties = leadingProperties(document, table, QStringLiteral("tblPr"));
    setWidth(document,
             orderedChild(document, properties, QStringLiteral("tblW"), tablePropertyOrder),
             QStringLiteral("pct"), 5000);
    XmlNode *layout =
        orderedChild(document, properties, QStringLiteral("tblLayout"), tablePropertyOrder);
    layout->setAttribute(document.attribute(QStringLiteral("type"), QStringLiteral("autofit")));
    const QVector<int> grid = scaledGrid(document, table, document.textWidthTwips());
    for (XmlNode *tableRow : document.rowsOf(table))
        fitCellWidths(document, tableRow, grid);
}

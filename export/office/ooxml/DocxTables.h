#pragma once

#include "export/office/ooxml/XmlNode.h"

class DocxDocument;

// Tables of a WordprocessingML document: rows, cells, rows added in the
// formatting of another row, and fitting a table to the text width.
namespace DocxTables {

// Row or cell by index from 0, or null.
XmlNode *row(DocxDocument &document, XmlNode *table, int index);
XmlNode *cell(DocxDocument &document, XmlNode *table, int rowIndex, int columnIndex);

// Inserts before the given row an empty row formatted like it: the same row
// and cell properties, and in each cell one paragraph with the paragraph and
// run properties of its first paragraph.
XmlNode *insertRowBefore(DocxDocument &document, XmlNode *row);

// Makes the table span the text width: preferred width 100 %, automatic
// layout, grid columns and cell widths scaled to the text column.
void fitToWindow(DocxDocument &document, XmlNode *table);

} // namespace DocxTables

#pragma once

#include <pugixml.hpp>

class DocxDocument;

// Tables of a WordprocessingML document: rows, cells, rows added in the
// formatting of another row, and fitting a table to the text width.
namespace DocxTables {

// Row or cell by index from 0, or an empty handle.
pugi::xml_node row(DocxDocument &document, pugi::xml_node table, int index);
pugi::xml_node cell(DocxDocument &document, pugi::xml_node table, int rowIndex, int columnIndex);

// Inserts before the given row an empty row formatted like it: the same row
// and cell properties, and in each cell one paragraph with the paragraph and
// run properties of its first paragraph. Bookmarks and layout whitespace
// are left out.
pugi::xml_node insertRowBefore(DocxDocument &document, pugi::xml_node row);

// Makes the table span the text width: preferred width 100 %, automatic
// layout, grid columns and cell widths scaled to the text column; a cell
// spanning grid columns (w:gridSpan) gets their widths together.
void fitToWindow(DocxDocument &document, pugi::xml_node table);

} // namespace DocxTables

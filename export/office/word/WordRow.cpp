#include "export/office/word/WordRow.h"

WordRow::WordRow(std::shared_ptr<DocxDocument> document, pugi::xml_node row)
    : WordObject(std::move(document), row)
{}

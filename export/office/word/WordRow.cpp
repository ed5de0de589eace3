#include "export/office/word/WordRow.h"

WordRow::WordRow(std::shared_ptr<DocxDocument> document, XmlNode *row)
    : WordObject(std::move(document)), m_row(row)
{}

#pragma once

#include <QString>

class DocxDocument;
class DocxRange;

// Inline pictures stored in a WordprocessingML document.
namespace DocxPicture {

// Stores the image file in the document (media part, relationship, content
// type) and puts it in place of the range's content, at the size given by
// its pixels and resolution, scaled down to the text width when wider.
bool insertInline(DocxDocument &document, const DocxRange &range, const QString &imagePath,
                  QString *error);

} // namespace DocxPicture

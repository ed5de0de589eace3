#pragma once

#include "export/office/ooxml/XmlNode.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class DocxDocument;

// Reading and writing the text of WordprocessingML content. Text follows the
// conventions of a Word range: "\r" ends a paragraph, "\v" is a line break,
// "\t" a tab.
namespace DocxText {

// Elements with the given name among the children of a container, looking
// through content controls and custom XML wrappers.
QVector<XmlNode *> contentElements(const XmlNode *container, const QString &localName);

QString paragraphText(const XmlNode *paragraph);
// Text of every paragraph below a node, each followed by "\r".
QString storyText(const XmlNode *node);

// First run properties below a node, or null.
const XmlNode *firstRunProperties(const XmlNode *node);

// A run holding the text, with a copy of the run properties when given.
// Line ends become line breaks.
std::unique_ptr<XmlNode> makeRun(DocxDocument &document, const XmlNode *runProperties,
                                 const QString &text);
std::unique_ptr<XmlNode> makeParagraph(DocxDocument &document, const QString &text);

// Splits text into paragraphs at "\r\n", "\r" or "\n"; a final paragraph
// mark does not start another paragraph.
QStringList paragraphs(const QString &text);

bool isPropertyElement(const XmlNode *node);
// Drawings, text boxes, deleted text and field codes: not part of the story.
bool isOutsideStory(const XmlNode *node);
bool isRangeMarker(const XmlNode *node);

} // namespace DocxText

#pragma once

#include "export/office/ooxml/XmlPart.h"

#include <QString>
#include <QStringList>

#include <pugixml.hpp>

#include <vector>

// Reading and writing the text of WordprocessingML content. Text follows the
// conventions of a Word range: "\r" ends a paragraph, "\v" is a line break,
// "\t" a tab.
namespace DocxText {

// Elements with the given name among the children of a container, looking
// through content controls (w:sdt).
std::vector<pugi::xml_node> contentElements(pugi::xml_node container, const char *name);
// The element with the given index among those, or an empty handle.
pugi::xml_node contentElement(pugi::xml_node container, const char *name, int index);

QString paragraphText(pugi::xml_node paragraph);
// Text of every paragraph below a node, each followed by "\r".
QString storyText(pugi::xml_node node);

// First run properties below a node, or an empty handle.
pugi::xml_node firstRunProperties(pugi::xml_node node);

// Adds the text to a run: text pieces, with tabs and line ends (as line
// breaks) between them.
void appendText(pugi::xml_node run, const QString &text);
// Adds a run holding the text, with a copy of the run properties when given.
pugi::xml_node appendRun(pugi::xml_node paragraph, pugi::xml_node runProperties,
                         const QString &text);
// A new paragraph holding the text, after the given node.
pugi::xml_node insertParagraphAfter(pugi::xml_node node, const QString &text);

// Splits text into paragraphs at "\r\n", "\r" or "\n"; a final paragraph
// mark does not start another paragraph.
QStringList paragraphs(const QString &text);

// The nearest ancestor (not the node itself) with the name, or an empty
// handle.
pugi::xml_node ancestor(pugi::xml_node node, const char *name);
bool isPropertyElement(pugi::xml_node node);
// Drawings, text boxes, deleted text and field codes: not part of the story.
bool isOutsideStory(pugi::xml_node node);
bool isRangeMarker(pugi::xml_node node);

} // namespace DocxText

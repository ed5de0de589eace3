#pragma once

#include <QString>
#include <QStringList>

#include <pugixml.hpp>

class DocxDocument;

// A stretch of a WordprocessingML document: the whole main story, the
// content of a table cell, or the content between a bookmark's start and end.
class DocxRange
{
public:
    enum Kind_e
    {
        StoryRange,
        CellRange,
        BookmarkRange
    };

    static DocxRange story();
    static DocxRange cell(pugi::xml_node cell);
    static DocxRange bookmark(pugi::xml_node bookmarkStart);

    Kind_e kind() const { return m_kind; }
    // False once the cell or bookmark has been deleted from the document.
    bool isAttached(const DocxDocument &document) const;

    QString text(DocxDocument &document) const;
    // Replaces the content by the text. The story becomes one plain paragraph
    // per line; in a cell or a bookmark, line ends become line breaks and
    // the text takes the formatting of the first run it replaces. False
    // when the range has no place for text (see replaceWithRun).
    bool setText(DocxDocument &document, const QString &text) const;
    // Adds the text at the end of the story, continuing its last paragraph.
    void appendToStory(DocxDocument &document, const QString &text) const;
    // Replaces the content by an empty run, given back to be filled (text,
    // picture). A bookmark keeps enclosing what replaced its content. An
    // empty handle for a bookmark between table rows with no paragraph
    // after it.
    pugi::xml_node replaceWithRun(DocxDocument &document) const;

private:
    DocxRange(Kind_e kind, pugi::xml_node node);

    pugi::xml_node contentRunProperties(DocxDocument &document) const;
    pugi::xml_node replaceStory(DocxDocument &document) const;
    pugi::xml_node replaceCell(DocxDocument &document) const;
    pugi::xml_node replaceBookmark(DocxDocument &document) const;

    Kind_e m_kind;
    pugi::xml_node m_node;
};

#pragma once

#include "export/office/ooxml/XmlNode.h"

#include <QString>
#include <QStringList>

#include <memory>

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
    static DocxRange cell(XmlNode *cell);
    static DocxRange bookmark(XmlNode *bookmarkStart);

    Kind_e kind() const { return m_kind; }
    // False once the cell or bookmark has been deleted from the document.
    bool isAttached(const DocxDocument &document) const;

    QString text(DocxDocument &document) const;
    // Replaces the content by the text. The story becomes one plain paragraph
    // per line; in a cell or a bookmark, line ends become line breaks and
    // the text takes the formatting of the first run it replaces.
    void setText(DocxDocument &document, const QString &text) const;
    // Adds the text at the end of the story, continuing its last paragraph.
    void appendToStory(DocxDocument &document, const QString &text) const;
    // Replaces the content by a run (text, picture). A bookmark keeps
    // enclosing what replaced its content.
    void replaceWithRun(DocxDocument &document, std::unique_ptr<XmlNode> run) const;

private:
    DocxRange(Kind_e kind, XmlNode *node);

    static void clearStory(DocxDocument &document);
    static void appendParagraphs(DocxDocument &document, const QStringList &lines);
    static XmlNode *insertBeforeSection(DocxDocument &document, std::unique_ptr<XmlNode> block);
    static XmlNode *lastStoryParagraph(DocxDocument &document);
    void replaceCell(DocxDocument &document, std::unique_ptr<XmlNode> run) const;
    void replaceBookmark(DocxDocument &document, std::unique_ptr<XmlNode> run) const;

    Kind_e m_kind;
    XmlNode *m_node;
};

#include "export/office/ooxml/DocxRange.h"

#include "export/office/ooxml/DocxDocument.h"
#include "export/office/ooxml/DocxText.h"

#include <cstring>
#include <vector>

namespace {

// The node after this one in document order, not entering its children,
// within the scope; an empty handle at the end of the scope.
pugi::xml_node nextOutside(pugi::xml_node node, pugi::xml_node scope)
{
    for (; node && node != scope; node = node.parent()) {
        if (node.next_sibling())
            return node.next_sibling();
    }
    return pugi::xml_node();
}

// The node after this one in document order within the scope.
pugi::xml_node nextInside(pugi::xml_node node, pugi::xml_node scope)
{
    return node.first_child() ? node.first_child() : nextOutside(node, scope);
}

// The end of the bookmark: the first w:bookmarkEnd of its id after its start
// in the body. An end written inside the start, which no Office writer
// does, is moved out to follow it, so the bookmark marks a point.
pugi::xml_node bookmarkEnd(DocxDocument &document, pugi::xml_node start)
{
    const pugi::char_t *id = start.attribute("w:id").value();
    const auto isEnd = [id](pugi::xml_node node) {
        return is(node, "w:bookmarkEnd") && std::strcmp(node.attribute("w:id").value(), id) == 0;
    };
    if (pugi::xml_node inside = start.find_node(isEnd))
        return start.parent().insert_move_after(inside, start);
    for (pugi::xml_node node = nextOutside(start, document.body()); node;
         node = nextInside(node, document.body())) {
        if (isEnd(node))
            return node;
    }
    return pugi::xml_node();
}

std::vector<pugi::xml_node> chainToBody(pugi::xml_node node, pugi::xml_node body)
{
    std::vector<pugi::xml_node> chain;
    for (; node && node != body; node = node.parent())
        chain.push_back(node);
    chain.push_back(body);
    return chain;
}

bool removable(pugi::xml_node node)
{
    return !DocxText::isPropertyElement(node) && !DocxText::isRangeMarker(node);
}

// Removes the siblings between two nodes (either may be empty: from the
// first child, to the last).
void removeBetween(DocxDocument &document, pugi::xml_node parent, pugi::xml_node first,
                   pugi::xml_node last)
{
    pugi::xml_node node = first ? first.next_sibling() : parent.first_child();
    while (node && node != last) {
        pugi::xml_node next = node.next_sibling();
        if (removable(node))
            document.discard(node);
        node = next;
    }
}

void mergeParagraphs(DocxDocument &document, pugi::xml_node first, pugi::xml_node second)
{
    while (pugi::xml_node child = second.first_child()) {
        if (is(child, "w:pPr"))
            document.discard(child);
        else
            first.append_move(child);
    }
    document.discard(second);
}

// Deletes what lies between the two markers. Paragraphs that the deletion
// joins are merged; a deletion across table cells is not made.
void clearBetween(DocxDocument &document, pugi::xml_node start, pugi::xml_node end)
{
    const std::vector<pugi::xml_node> startChain = chainToBody(start, document.body());
    const std::vector<pugi::xml_node> endChain = chainToBody(end, document.body());
    size_t s = startChain.size() - 1;
    size_t e = endChain.size() - 1;
    while (s > 0 && e > 0 && startChain[s - 1] == endChain[e - 1]) {
        --s;
        --e;
    }
    // A marker inside the other: nothing lies between them.
    if (s == 0 || e == 0)
        return;
    pugi::xml_node common = startChain[s];
    if (is(common, "w:tbl") || is(common, "w:tr"))
        return;
    pugi::xml_node startBranch = startChain[s - 1];
    pugi::xml_node endBranch = endChain[e - 1];
    for (size_t i = 0; i + 1 < s; ++i)
        removeBetween(document, startChain[i + 1], startChain[i], pugi::xml_node());
    for (size_t i = 0; i + 1 < e; ++i)
        removeBetween(document, endChain[i + 1], pugi::xml_node(), endChain[i]);
    removeBetween(document, common, startBranch, endBranch);
    if (is(startBranch, "w:p") && is(endBranch, "w:p"))
        mergeParagraphs(document, startBranch, endBranch);
    document.structureChanged();
}

// Run properties for text replacing a bookmark's content: those of the first
// run inside it, else those of the run before its start.
pugi::xml_node bookmarkRunProperties(DocxDocument &document, pugi::xml_node start,
                                     pugi::xml_node end)
{
    for (pugi::xml_node node = nextOutside(start, document.body()); node && node != end;
         node = nextInside(node, document.body())) {
        if (is(node, "w:r"))
            return node.child("w:rPr");
    }
    for (pugi::xml_node node = start.previous_sibling(); node; node = node.previous_sibling()) {
        if (is(node, "w:r"))
            return node.child("w:rPr");
    }
    return pugi::xml_node();
}

bool insideParagraph(pugi::xml_node node)
{
    for (pugi::xml_node n = node.parent(); n; n = n.parent()) {
        if (is(n, "w:p"))
            return true;
        if (is(n, "w:tc") || is(n, "w:body") || is(n, "w:txbxContent"))
            return false;
    }
    return false;
}

QString bookmarkText(DocxDocument &document, pugi::xml_node start, pugi::xml_node end)
{
    QString text;
    for (pugi::xml_node node = nextOutside(start, document.body()); node && node != end;
         node = nextInside(node, document.body())) {
        if (is(node, "w:p") && !text.isEmpty())
            text += QLatin1Char('\r');
        else if (is(node, "w:t"))
            text += QString::fromUtf8(node.text().get());
    }
    return text;
}

pugi::xml_node lastStoryParagraph(DocxDocument &document)
{
    pugi::xml_node body = document.body();
    for (pugi::xml_node child = body.last_child(); child; child = child.previous_sibling()) {
        if (is(child, "w:p"))
            return child;
        if (child.type() == pugi::node_element && !is(child, "w:sectPr"))
            break;
    }
    pugi::xml_node section = body.child("w:sectPr");
    return section ? body.insert_child_before("w:p", section) : body.append_child("w:p");
}

} // namespace

DocxRange::DocxRange(Kind_e kind, pugi::xml_node node) : m_kind(kind), m_node(node) {}

DocxRange DocxRange::story()
{
    return DocxRange(StoryRange, pugi::xml_node());
}

DocxRange DocxRange::cell(pugi::xml_node cell)
{
    return DocxRange(CellRange, cell);
}

DocxRange DocxRange::bookmark(pugi::xml_node bookmarkStart)
{
    return DocxRange(BookmarkRange, bookmarkStart);
}

bool DocxRange::isAttached(const DocxDocument &document) const
{
    return m_kind == StoryRange || document.contains(m_node);
}

QString DocxRange::text(DocxDocument &document) const
{
    switch (m_kind) {
    case StoryRange:
        return DocxText::storyText(document.body());
    case CellRange: {
        QString text = DocxText::storyText(m_node);
        text.chop(1);
        return text;
    }
    case BookmarkRange:
        return bookmarkText(document, m_node, bookmarkEnd(document, m_node));
    }
    return QString();
}

bool DocxRange::setText(DocxDocument &document, const QString &text) const
{
    if (m_kind != StoryRange) {
        pugi::xml_node runProperties = contentRunProperties(document);
        pugi::xml_node run = replaceWithRun(document);
        if (!run)
            return false;
        if (runProperties)
            run.append_copy(runProperties);
        DocxText::appendText(run, text);
        return true;
    }
    const QStringList lines = DocxText::paragraphs(text);
    pugi::xml_node paragraph = replaceStory(document).parent();
    DocxText::appendText(paragraph.child("w:r"), lines.first());
    for (int i = 1; i < lines.size(); ++i)
        paragraph = DocxText::insertParagraphAfter(paragraph, lines.at(i));
    return true;
}

void DocxRange::appendToStory(DocxDocument &document, const QString &text) const
{
    const QStringList lines = DocxText::paragraphs(text);
    pugi::xml_node last = lastStoryParagraph(document);
    if (!lines.first().isEmpty())
        DocxText::appendRun(last, pugi::xml_node(), lines.first());
    for (int i = 1; i < lines.size(); ++i)
        last = DocxText::insertParagraphAfter(last, lines.at(i));
}

pugi::xml_node DocxRange::replaceWithRun(DocxDocument &document) const
{
    switch (m_kind) {
    case StoryRange:
        return replaceStory(document);
    case CellRange:
        return replaceCell(document);
    case BookmarkRange:
        return replaceBookmark(document);
    }
    return pugi::xml_node();
}

// Run properties of the content of a cell or bookmark.
pugi::xml_node DocxRange::contentRunProperties(DocxDocument &document) const
{
    if (m_kind == CellRange)
        return DocxText::firstRunProperties(m_node);
    return bookmarkRunProperties(document, m_node, bookmarkEnd(document, m_node));
}

// The story becomes one paragraph holding an empty run, before the final
// section properties.
pugi::xml_node DocxRange::replaceStory(DocxDocument &document) const
{
    pugi::xml_node body = document.body();
    pugi::xml_node child = body.first_child();
    while (child) {
        pugi::xml_node next = child.next_sibling();
        if (!is(child, "w:sectPr"))
            document.discard(child);
        child = next;
    }
    document.structureChanged();
    pugi::xml_node section = body.child("w:sectPr");
    pugi::xml_node paragraph =
        section ? body.insert_child_before("w:p", section) : body.append_child("w:p");
    return paragraph.append_child("w:r");
}

// The cell keeps its properties and its first paragraph with the paragraph
// properties; everything else goes.
pugi::xml_node DocxRange::replaceCell(DocxDocument &document) const
{
    pugi::xml_node cell = m_node;
    pugi::xml_node paragraph = cell.child("w:p");
    pugi::xml_node child = cell.first_child();
    while (child) {
        pugi::xml_node next = child.next_sibling();
        if (child != paragraph && !is(child, "w:tcPr"))
            document.discard(child);
        child = next;
    }
    if (!paragraph)
        paragraph = cell.append_child("w:p");
    child = paragraph.first_child();
    while (child) {
        pugi::xml_node next = child.next_sibling();
        if (!is(child, "w:pPr"))
            document.discard(child);
        child = next;
    }
    return paragraph.append_child("w:r");
}

// The run follows the start in its paragraph; a start between paragraphs
// gets a paragraph of its own, and one between table rows or cells puts the
// run at the beginning of the next paragraph, if there is one.
pugi::xml_node DocxRange::replaceBookmark(DocxDocument &document) const
{
    if (pugi::xml_node end = bookmarkEnd(document, m_node))
        clearBetween(document, m_node, end);
    pugi::xml_node parent = m_node.parent();
    if (insideParagraph(m_node))
        return parent.insert_child_after("w:r", m_node);
    if (!is(parent, "w:tbl") && !is(parent, "w:tr"))
        return parent.insert_child_after("w:p", m_node).append_child("w:r");
    for (pugi::xml_node node = nextOutside(m_node, document.body()); node;
         node = nextInside(node, document.body())) {
        if (!is(node, "w:p"))
            continue;
        pugi::xml_node properties = node.child("w:pPr");
        return properties ? node.insert_child_after("w:r", properties) : node.prepend_child("w:r");
    }
    return pugi::xml_node();
}

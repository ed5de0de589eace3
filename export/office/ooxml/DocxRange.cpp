#include "export/office/ooxml/DocxRange.h"

#include "export/office/ooxml/DocxDocument.h"
#include "export/office/ooxml/DocxText.h"
#include "export/office/ooxml/OoxmlNamespaces.h"
#include "export/office/ooxml/XmlTreeWalker.h"

#include <vector>

namespace {

using Ooxml::wordNs;

XmlNode *bookmarkEnd(XmlNode *start)
{
    const QString id = start->attribute(wordNs, QStringLiteral("id"));
    XmlTreeWalker walker(start);
    for (XmlNode *node = walker.next(); node; node = walker.next()) {
        if (node->is(wordNs, QStringLiteral("bookmarkEnd")) &&
            node->attribute(wordNs, QStringLiteral("id")) == id)
            return node;
    }
    return nullptr;
}

std::vector<XmlNode *> chainToRoot(XmlNode *node)
{
    std::vector<XmlNode *> chain;
    for (; node; node = node->parent())
        chain.push_back(node);
    return chain;
}

bool removable(const XmlNode *node)
{
    return !DocxText::isPropertyElement(node) && !DocxText::isRangeMarker(node);
}

// Removes the children of parent with indexes in (first, last).
void removeChildren(DocxDocument &document, XmlNode *parent, int first, int last)
{
    for (int i = last - 1; i > first; --i) {
        if (removable(parent->child(i)))
            document.discard(parent->takeChild(i));
    }
}

void removeFollowing(DocxDocument &document, XmlNode *node)
{
    XmlNode *parent = node->parent();
    removeChildren(document, parent, parent->indexOf(node), parent->childCount());
}

void removePreceding(DocxDocument &document, XmlNode *node)
{
    XmlNode *parent = node->parent();
    removeChildren(document, parent, -1, parent->indexOf(node));
}

void mergeParagraphs(DocxDocument &document, XmlNode *first, XmlNode *second)
{
    for (auto &child : second->takeChildren()) {
        if (child->is(wordNs, QStringLiteral("pPr")))
            document.discard(std::move(child));
        else
            first->appendChild(std::move(child));
    }
    document.discard(second->parent()->take(second));
}

// Deletes what lies between the two markers. Paragraphs that the deletion
// joins are merged; a deletion across table cells is not made.
void clearBetween(DocxDocument &document, XmlNode *start, XmlNode *end)
{
    const std::vector<XmlNode *> startChain = chainToRoot(start);
    const std::vector<XmlNode *> endChain = chainToRoot(end);
    size_t s = startChain.size() - 1;
    size_t e = endChain.size() - 1;
    while (s > 0 && e > 0 && startChain[s - 1] == endChain[e - 1]) {
        --s;
        --e;
    }
    XmlNode *common = startChain[s];
    if (common->is(wordNs, QStringLiteral("tbl")) || common->is(wordNs, QStringLiteral("tr")))
        return;
    XmlNode *startBranch = startChain[s - 1];
    XmlNode *endBranch = endChain[e - 1];
    for (size_t i = 0; i + 1 < s; ++i)
        removeFollowing(document, startChain[i]);
    for (size_t i = 0; i + 1 < e; ++i)
        removePreceding(document, endChain[i]);
    removeChildren(document, common, common->indexOf(startBranch), common->indexOf(endBranch));
    if (startBranch->is(wordNs, QStringLiteral("p")) && endBranch->is(wordNs, QStringLiteral("p")))
        mergeParagraphs(document, startBranch, endBranch);
    document.structureChanged();
}

// Run properties for text replacing a bookmark's content: those of the first
// run inside it, else those of the run before its start.
const XmlNode *bookmarkRunProperties(XmlNode *start, const XmlNode *end)
{
    XmlTreeWalker walker(start);
    for (XmlNode *node = walker.next(); node && node != end; node = walker.next()) {
        if (node->is(wordNs, QStringLiteral("r")))
            return node->firstChild(wordNs, QStringLiteral("rPr"));
    }
    const XmlNode *parent = start->parent();
    for (int i = parent->indexOf(start) - 1; i >= 0; --i) {
        if (parent->child(i)->is(wordNs, QStringLiteral("r")))
            return parent->child(i)->firstChild(wordNs, QStringLiteral("rPr"));
    }
    return nullptr;
}

bool insideParagraph(const XmlNode *node)
{
    for (const XmlNode *n = node->parent(); n; n = n->parent()) {
        if (n->is(wordNs, QStringLiteral("p")))
            return true;
        if (n->is(wordNs, QStringLiteral("tc")) || n->is(wordNs, QStringLiteral("body")) ||
            n->is(wordNs, QStringLiteral("txbxContent")))
            return false;
    }
    return false;
}

QString bookmarkText(XmlNode *start, const XmlNode *end)
{
    QString text;
    XmlTreeWalker walker(start);
    for (XmlNode *node = walker.next(); node && node != end; node = walker.next()) {
        if (node->is(wordNs, QStringLiteral("p")) && !text.isEmpty())
            text += QLatin1Char('\r');
        else if (node->is(wordNs, QStringLiteral("t")))
            text += node->textContent();
    }
    return text;
}

} // namespace

DocxRange::DocxRange(Kind_e kind, XmlNode *node) : m_kind(kind), m_node(node) {}

XmlNode *DocxRange::lastStoryParagraph(DocxDocument &document)
{
    XmlNode *body = document.body();
    for (int i = body->childCount() - 1; i >= 0; --i) {
        XmlNode *child = body->child(i);
        if (child->is(wordNs, QStringLiteral("p")))
            return child;
        if (child->isElement() && !child->is(wordNs, QStringLiteral("sectPr")))
            break;
    }
    return insertBeforeSection(document, document.element(QStringLiteral("p")));
}

bool DocxRange::isAttached(const DocxDocument &document) const
{
    if (m_kind == StoryRange)
        return true;
    const XmlNode *node = m_node;
    while (node && node != document.body())
        node = node->parent();
    return node != nullptr;
}

DocxRange DocxRange::story()
{
    return DocxRange(StoryRange, nullptr);
}

DocxRange DocxRange::cell(XmlNode *cell)
{
    return DocxRange(CellRange, cell);
}

DocxRange DocxRange::bookmark(XmlNode *bookmarkStart)
{
    return DocxRange(BookmarkRange, bookmarkStart);
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
        return bookmarkText(m_node, bookmarkEnd(m_node));
    }
    return QString();
}

void DocxRange::setText(DocxDocument &document, const QString &text) const
{
    switch (m_kind) {
    case StoryRange:
        clearStory(document);
        appendParagraphs(document, DocxText::paragraphs(text));
        break;
    case CellRange:
        replaceCell(document,
                    DocxText::makeRun(document, DocxText::firstRunProperties(m_node), text));
        break;
    case BookmarkRange: {
        const XmlNode *runProperties = bookmarkRunProperties(m_node, bookmarkEnd(m_node));
        replaceBookmark(document, DocxText::makeRun(document, runProperties, text));
        break;
    }
    }
}

void DocxRange::appendToStory(DocxDocument &document, const QString &text) const
{
    const QStringList lines = DocxText::paragraphs(text);
    XmlNode *last = lastStoryParagraph(document);
    if (!lines.first().isEmpty())
        last->appendChild(DocxText::makeRun(document, nullptr, lines.first()));
    for (int i = 1; i < lines.size(); ++i)
        last = document.body()->insertAfter(last, DocxText::makeParagraph(document, lines.at(i)));
}

void DocxRange::replaceWithRun(DocxDocument &document, std::unique_ptr<XmlNode> run) const
{
    switch (m_kind) {
    case StoryRange: {
        clearStory(document);
        auto paragraph = document.element(QStringLiteral("p"));
        paragraph->appendChild(std::move(run));
        insertBeforeSection(document, std::move(paragraph));
        break;
    }
    case CellRange:
        replaceCell(document, std::move(run));
        break;
    case BookmarkRange:
        replaceBookmark(document, std::move(run));
        break;
    }
}

void DocxRange::clearStory(DocxDocument &document)
{
    XmlNode *body = document.body();
    for (int i = body->childCount() - 1; i >= 0; --i) {
        if (!body->child(i)->is(wordNs, QStringLiteral("sectPr")))
            document.discard(body->takeChild(i));
    }
    document.structureChanged();
}

void DocxRange::appendParagraphs(DocxDocument &document, const QStringList &lines)
{
    for (const QString &line : lines)
        insertBeforeSection(document, DocxText::makeParagraph(document, line));
}

XmlNode *DocxRange::insertBeforeSection(DocxDocument &document, std::unique_ptr<XmlNode> block)
{
    XmlNode *body = document.body();
    XmlNode *section = body->firstChild(wordNs, QStringLiteral("sectPr"));
    return section ? body->insertBefore(section, std::move(block))
                   : body->appendChild(std::move(block));
}

void DocxRange::replaceCell(DocxDocument &document, std::unique_ptr<XmlNode> run) const
{
    XmlNode *paragraph = m_node->firstChild(wordNs, QStringLiteral("p"));
    for (int i = m_node->childCount() - 1; i >= 0; --i) {
        const XmlNode *child = m_node->child(i);
        if (child != paragraph && !child->is(wordNs, QStringLiteral("tcPr")))
            document.discard(m_node->takeChild(i));
    }
    if (!paragraph)
        paragraph = m_node->appendChild(document.element(QStringLiteral("p")));
    for (int i = paragraph->childCount() - 1; i >= 0; --i) {
        if (!paragraph->child(i)->is(wordNs, QStringLiteral("pPr")))
            document.discard(paragraph->takeChild(i));
    }
    paragraph->appendChild(std::move(run));
}

void DocxRange::replaceBookmark(DocxDocument &document, std::unique_ptr<XmlNode> run) const
{
    if (XmlNode *end = bookmarkEnd(m_node))
        clearBetween(document, m_node, end);
    if (insideParagraph(m_node)) {
        m_node->parent()->insertAfter(m_node, std::move(run));
        return;
    }
    auto paragraph = document.element(QStringLiteral("p"));
    paragraph->appendChild(std::move(run));
    m_node->parent()->insertAfter(m_node, std::move(paragraph));
}

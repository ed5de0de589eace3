#include "export/office/ooxml/DocxText.h"

#include "export/office/ooxml/XmlPart.h"

#include <QRegularExpression>

#include <cstring>

namespace {

bool nameIn(pugi::xml_node node, std::initializer_list<const char *> names)
{
    const char *name = node.name();
    for (const char *candidate : names) {
        if (std::strcmp(name, candidate) == 0)
            return true;
    }
    return false;
}

void appendRunText(pugi::xml_node node, QString &text)
{
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element || DocxText::isOutsideStory(child))
            continue;
        if (is(child, "w:t"))
            text += QString::fromUtf8(child.text().get());
        else if (is(child, "w:tab"))
            text += QLatin1Char('\t');
        else if (nameIn(child, {"w:br", "w:cr"}))
            text += QLatin1Char('\v');
        else if (is(child, "w:noBreakHyphen"))
            text += QLatin1Char('-');
        else
            appendRunText(child, text);
    }
}

void appendStoryText(pugi::xml_node node, QString &text)
{
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element || DocxText::isOutsideStory(child))
            continue;
        if (is(child, "w:p"))
            text += DocxText::paragraphText(child) + QLatin1Char('\r');
        else
            appendStoryText(child, text);
    }
}

// A tab or a line end, which a run holds as an element of its own.
bool isBreak(QChar c)
{
    return c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\v');
}

// A text piece; blanks at its ends are kept by xml:space, which is written
// only where needed, as it adds to every cell of a long table.
void appendTextPiece(pugi::xml_node run, const QStringRef &piece)
{
    if (piece.isEmpty())
        return;
    pugi::xml_node t = run.append_child("w:t");
    if (piece.startsWith(QLatin1Char(' ')) || piece.endsWith(QLatin1Char(' ')))
        t.append_attribute("xml:space").set_value("preserve");
    t.append_child(pugi::node_pcdata).set_value(XmlPart::xmlText(piece).constData());
}

} // namespace

std::vector<pugi::xml_node> DocxText::contentElements(pugi::xml_node container, const char *name)
{
    std::vector<pugi::xml_node> found;
    for (pugi::xml_node child = container.first_child(); child; child = child.next_sibling()) {
        if (is(child, name)) {
            found.push_back(child);
        } else if (is(child, "w:sdt")) {
            const std::vector<pugi::xml_node> inner =
                contentElements(child.child("w:sdtContent"), name);
            found.insert(found.end(), inner.cbegin(), inner.cend());
        }
    }
    return found;
}

pugi::xml_node DocxText::contentElement(pugi::xml_node container, const char *name, int index)
{
    if (index < 0)
        return pugi::xml_node();
    for (pugi::xml_node child = container.first_child(); child; child = child.next_sibling()) {
        if (is(child, name) && index-- == 0)
            return child;
        if (!is(child, "w:sdt"))
            continue;
        const std::vector<pugi::xml_node> inner =
            contentElements(child.child("w:sdtContent"), name);
        if (index < static_cast<int>(inner.size()))
            return inner[static_cast<size_t>(index)];
        index -= static_cast<int>(inner.size());
    }
    return pugi::xml_node();
}

QString DocxText::paragraphText(pugi::xml_node paragraph)
{
    QString text;
    appendRunText(paragraph, text);
    return text;
}

QString DocxText::storyText(pugi::xml_node node)
{
    QString text;
    appendStoryText(node, text);
    return text;
}

// Property elements hold no runs and are not searched.
pugi::xml_node DocxText::firstRunProperties(pugi::xml_node node)
{
    for (pugi::xml_node child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element || isPropertyElement(child))
            continue;
        if (is(child, "w:r"))
            return child.child("w:rPr");
        if (pugi::xml_node found = firstRunProperties(child))
            return found;
    }
    return pugi::xml_node();
}

void DocxText::appendText(pugi::xml_node run, const QString &text)
{
    int from = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!isBreak(c))
            continue;
        appendTextPiece(run, text.midRef(from, i - from));
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        run.append_child(c == QLatin1Char('\t') ? "w:tab" : "w:br");
        from = i + 1;
    }
    appendTextPiece(run, text.midRef(from));
}

pugi::xml_node DocxText::appendRun(pugi::xml_node paragraph, pugi::xml_node runProperties,
                                   const QString &text)
{
    pugi::xml_node run = paragraph.append_child("w:r");
    if (runProperties)
        run.append_copy(runProperties);
    appendText(run, text);
    return run;
}

pugi::xml_node DocxText::insertParagraphAfter(pugi::xml_node node, const QString &text)
{
    pugi::xml_node paragraph = node.parent().insert_child_after("w:p", node);
    if (!text.isEmpty())
        appendRun(paragraph, pugi::xml_node(), text);
    return paragraph;
}

QStringList DocxText::paragraphs(const QString &text)
{
    static const QRegularExpression paragraphMark(QStringLiteral("\\r\\n|\\r|\\n"));
    QStringList lines = text.split(paragraphMark);
    if (lines.size() > 1 && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

pugi::xml_node DocxText::ancestor(pugi::xml_node node, const char *name)
{
    for (node = node.parent(); node; node = node.parent()) {
        if (is(node, name))
            return node;
    }
    return pugi::xml_node();
}

bool DocxText::isPropertyElement(pugi::xml_node node)
{
    const char *name = node.name();
    const size_t length = std::strlen(name);
    return node.type() == pugi::node_element && length > 2 &&
           std::strcmp(name + length - 2, "Pr") == 0;
}

bool DocxText::isOutsideStory(pugi::xml_node node)
{
    return nameIn(node, {"w:drawing", "w:pict", "w:object", "w:delText", "w:instrText", "w:rPr",
                         "w:pPr", "mc:AlternateContent"});
}

bool DocxText::isRangeMarker(pugi::xml_node node)
{
    return nameIn(node, {"w:bookmarkStart", "w:bookmarkEnd", "w:commentRangeStart",
                         "w:commentRangeEnd", "w:permStart", "w:permEnd", "w:moveFromRangeStart",
                         "w:moveFromRangeEnd", "w:moveToRangeStart", "w:moveToRangeEnd"});
}

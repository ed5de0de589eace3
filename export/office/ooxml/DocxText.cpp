#include "export/office/ooxml/DocxText.h"

#include "export/office/ooxml/DocxDocument.h"
#include "export/office/ooxml/OoxmlNamespaces.h"

#include <QRegularExpression>
#include <QSet>

using Ooxml::wordNs;

bool DocxText::isOutsideStory(const XmlNode *node)
{
    static const QSet<QString> skipped{QStringLiteral("drawing"),   QStringLiteral("pict"),
                                       QStringLiteral("object"),    QStringLiteral("delText"),
                                       QStringLiteral("instrText"), QStringLiteral("rPr"),
                                       QStringLiteral("pPr")};
    if (node->namespaceUri() == Ooxml::compatibilityNs)
        return node->localName() == QLatin1String("AlternateContent");
    return node->namespaceUri() == wordNs && skipped.contains(node->localName());
}

namespace {

void appendRunText(const XmlNode *node, QString &text)
{
    for (const auto &child : node->children()) {
        if (!child->isElement() || DocxText::isOutsideStory(child.get()))
            continue;
        if (child->namespaceUri() != wordNs) {
            appendRunText(child.get(), text);
            continue;
        }
        const QString &name = child->localName();
        if (name == QLatin1String("t"))
            text += child->textContent();
        else if (name == QLatin1String("tab"))
            text += QLatin1Char('\t');
        else if (name == QLatin1String("br") || name == QLatin1String("cr"))
            text += QLatin1Char('\v');
        else if (name == QLatin1String("noBreakHyphen"))
            text += QLatin1Char('-');
        else
            appendRunText(child.get(), text);
    }
}

void appendStoryText(const XmlNode *node, QString &text)
{
    for (const auto &child : node->children()) {
        if (!child->isElement() || DocxText::isOutsideStory(child.get()))
            continue;
        if (child->is(wordNs, QStringLiteral("p")))
            text += DocxText::paragraphText(child.get()) + QLatin1Char('\r');
        else
            appendStoryText(child.get(), text);
    }
}

// A tab or a line end, which a run holds as an element of its own.
bool isBreak(QChar c)
{
    return c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r') ||
           c == QLatin1Char('\v');
}

void appendTextPiece(DocxDocument &document, XmlNode *run, const QString &piece)
{
    if (piece.isEmpty())
        return;
    XmlNode *t = run->appendChild(document.element(QStringLiteral("t")));
    t->setAttribute(document.xml().makeAttribute(Ooxml::xmlNs, QStringLiteral("space"),
                                                 QStringLiteral("preserve")));
    t->appendChild(XmlNode::makeText(piece));
}

} // namespace

QVector<XmlNode *> DocxText::contentElements(const XmlNode *container, const QString &localName)
{
    QVector<XmlNode *> found;
    for (const auto &child : container->children()) {
        if (child->is(wordNs, localName)) {
            found.append(child.get());
        } else if (child->is(wordNs, QStringLiteral("sdt"))) {
            if (const XmlNode *content = child->firstChild(wordNs, QStringLiteral("sdtContent")))
                found += contentElements(content, localName);
        } else if (child->is(wordNs, QStringLiteral("customXml"))) {
            found += contentElements(child.get(), localName);
        }
    }
    return found;
}

QString DocxText::paragraphText(const XmlNode *paragraph)
{
    QString text;
    appendRunText(paragraph, text);
    return text;
}

QString DocxText::storyText(const XmlNode *node)
{
    QString text;
    appendStoryText(node, text);
    return text;
}

const XmlNode *DocxText::firstRunProperties(const XmlNode *node)
{
    for (const auto &child : node->children()) {
        if (!child->isElement())
            continue;
        if (child->is(wordNs, QStringLiteral("r")))
            return child->firstChild(wordNs, QStringLiteral("rPr"));
        if (const XmlNode *found = firstRunProperties(child.get()))
            return found;
    }
    return nullptr;
}

std::unique_ptr<XmlNode> DocxText::makeRun(DocxDocument &document, const XmlNode *runProperties,
                                           const QString &text)
{
    auto run = document.element(QStringLiteral("r"));
    if (runProperties)
        run->appendChild(runProperties->clone());
    int from = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (!isBreak(c))
            continue;
        appendTextPiece(document, run.get(), text.mid(from, i - from));
        const bool tab = c == QLatin1Char('\t');
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        run->appendChild(document.element(tab ? QStringLiteral("tab") : QStringLiteral("br")));
        from = i + 1;
    }
    appendTextPiece(document, run.get(), from == 0 ? text : text.mid(from));
    return run;
}

std::unique_ptr<XmlNode> DocxText::makeParagraph(DocxDocument &document, const QString &text)
{
    auto paragraph = document.element(QStringLiteral("p"));
    if (!text.isEmpty())
        paragraph->appendChild(makeRun(document, nullptr, text));
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

bool DocxText::isPropertyElement(const XmlNode *node)
{
    return node->isElement() && node->localName().endsWith(QLatin1String("Pr"));
}

bool DocxText::isRangeMarker(const XmlNode *node)
{
    static const QSet<QString> markers{
        QStringLiteral("bookmarkStart"),      QStringLiteral("bookmarkEnd"),
        QStringLiteral("commentRangeStart"),  QStringLiteral("commentRangeEnd"),
        QStringLiteral("permStart"),          QStringLiteral("permEnd"),
        QStringLiteral("moveFromRangeStart"), QStringLiteral("moveFromRangeEnd"),
        QStringLiteral("moveToRangeStart"),   QStringLiteral("moveToRangeEnd")};
    return node->isElement() && node->namespaceUri() == wordNs &&
           markers.contains(node->localName());
}

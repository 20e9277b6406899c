#include "import/html_converter.h"

#include "import/book_encoding.h"

#include <QRegularExpression>

#include <libxml/HTMLparser.h>
#include <libxml/parserInternals.h>
#include <libxml/tree.h>

#include <algorithm>
#include <memory>

namespace {

constexpr char16_t kLineBreak = 11;
constexpr char16_t kBlockEnd = u'\r';
// How far into a page its charset declaration is looked for.
constexpr qsizetype kCharsetSniffLength = 4096;

bool isBlockElement(const char *name)
{
    static const char *const kBlocks[] = {
        "p",      "div",        "h1",     "h2",       "h3",      "h4",      "h5",     "h6",     "li",      "dt",
        "dd",     "ul",         "ol",     "dl",       "table",   "tr",      "td",     "th",     "caption", "blockquote",
        "pre",    "address",    "center", "hr",       "section", "article", "header", "footer", "nav",     "aside",
        "figure", "figcaption", "form",   "fieldset", "legend",  "body",    "html",   "main"};
    for (const char *block : kBlocks)
        if (qstricmp(name, block) == 0)
            return true;
    return false;
}

bool isHiddenElement(const char *name)
{
    return qstricmp(name, "script") == 0 || qstricmp(name, "style") == 0 || qstricmp(name, "head") == 0
           || qstricmp(name, "noscript") == 0 || qstricmp(name, "template") == 0;
}

bool isCollapsibleSpace(char16_t c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f';
}

// Builds the text while walking the tree: white space collapses, and a
// block boundary ends the current line unless it is already ended.
class TextCollector
{
public:
    // Walks `first` and its following siblings with everything inside them.
    // The walk keeps no stack of its own: pages from online libraries leave
    // a <dd> or <font> open per paragraph, so a tree can be as deep as the
    // book is long.
    void walk(xmlNode *first)
    {
        if (!first)
            return;
        xmlNode *const top = first->parent;
        xmlNode *node = first;
        for (;;) {
            if (enter(node)) {
                if (node->children) {
                    node = node->children;
                    continue;
                }
                leave(node);
            }
            while (!node->next) {
                node = node->parent;
                if (!node || node == top)
                    return;
                leave(node);
            }
            node = node->next;
        }
    }

    QString take()
    {
        endLine();
        return std::move(m_text);
    }

private:
    // True for an element whose content is walked next.
    bool enter(xmlNode *node)
    {
        if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            addText(QString::fromUtf8(reinterpret_cast<const char *>(node->content)));
            return false;
        }
        if (node->type != XML_ELEMENT_NODE)
            return false;
        const char *name = reinterpret_cast<const char *>(node->name);
        if (isHiddenElement(name))
            return false;
        if (qstricmp(name, "br") == 0) {
            m_text.append(QChar(kLineBreak));
            m_pendingSpace = false;
            return false;
        }
        if (isBlockElement(name))
            endLine();
        if (qstricmp(name, "pre") == 0)
            ++m_preDepth;
        return true;
    }

    void leave(xmlNode *element)
    {
        const char *name = reinterpret_cast<const char *>(element->name);
        if (qstricmp(name, "pre") == 0)
            --m_preDepth;
        if (isBlockElement(name))
            endLine();
    }

    void addText(const QString &text)
    {
        if (m_preDepth > 0) {
            for (const QChar c : text)
                m_text.append(c == u'\n' ? QChar(kLineBreak) : c);
            return;
        }
        for (const QChar c : text) {
            if (isCollapsibleSpace(c.unicode())) {
                m_pendingSpace = true;
                continue;
            }
            if (m_pendingSpace && !atLineStart())
                m_text.append(u' ');
            m_pendingSpace = false;
            m_text.append(c);
        }
    }

    bool atLineStart() const { return m_text.isEmpty() || m_text.back() == kBlockEnd || m_text.back() == kLineBreak; }

    void endLine()
    {
        m_pendingSpace = false;
        if (!m_text.isEmpty() && m_text.back() != kBlockEnd)
            m_text.append(QChar(kBlockEnd));
    }

    QString m_text;
    bool m_pendingSpace = false;
    int m_preDepth = 0;
};

using ParserContext = std::unique_ptr<xmlParserCtxt, decltype(&htmlFreeParserCtxt)>;

// How far the parser came: the input buffer drops what it has read, so
// its own count of consumed bytes is added to the current position.
qsizetype bytesConsumed(const xmlParserCtxt &context)
{
    const xmlParserInput *input = context.input;
    return input ? qsizetype(input->consumed) + (input->cur - input->base) : 0;
}

QString parseToText(QByteArray bytes, ReadingReport *report)
{
    // The parser takes a NUL for the end of the page; in a book it is junk.
    bytes.replace('\0', QByteArray());
    ParserContext context(htmlCreateMemoryParserCtxt(bytes.constData(), int(bytes.size())), &htmlFreeParserCtxt);
    if (!context)
        return {};
    // The parser works on a copy of its own; a big book need not be held twice.
    const qsizetype size = bytes.size();
    bytes = QByteArray();
    htmlCtxtUseOptions(context.get(), HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET
                                          | HTML_PARSE_IGNORE_ENC);
    // Without it the tree stops growing at 256 open elements and the rest
    // of the book is dropped; the HTML parser's options cannot say it.
    context->options |= XML_PARSE_HUGE;
    // The program decodes every page itself and hands over UTF-8.
    if (xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler("UTF-8"))
        xmlSwitchToEncoding(context.get(), handler);
    htmlParseDocument(context.get());
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(context->myDoc, &xmlFreeDoc);
    context->myDoc = nullptr;
    // A parser that gives up early (memory, a limit of its own) leaves the
    // rest unread; the caller tells the user how far it came.
    const qsizetype consumed = bytesConsumed(*context);
    if (report && (context->disableSAX || consumed < size)) {
        report->complete = false;
        report->percentRead = int(std::clamp<qsizetype>(consumed * 100 / std::max<qsizetype>(size, 1), 0, 99));
    }
    if (!doc)
        return {};
    TextCollector collector;
    collector.walk(xmlDocGetRootElement(doc.get()));
    return collector.take();
}

// "<!DOCTYPE html [ <!ENTITY ...> ]>": the HTML parser knows no internal
// subset and would show its declarations as the book's first lines.
QString withoutInternalSubset(const QString &page)
{
    static const QRegularExpression doctype(QStringLiteral(R"(^\s*(?:<\?[^>]*>\s*)?<!doctype[^>\[]*\[)"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch opening = doctype.match(page);
    if (!opening.hasMatch())
        return page;
    static const QRegularExpression closing(QStringLiteral(R"(\]\s*>)"));
    const QRegularExpressionMatch end = closing.match(page, opening.capturedEnd());
    if (!end.hasMatch())
        return page;
    return page.left(opening.capturedEnd() - 1) + u'>' + page.mid(end.capturedEnd());
}

QString declaredCharset(const QByteArray &page)
{
    static const QRegularExpression charset(QStringLiteral(R"(<meta[^>]*charset\s*=\s*["']?\s*([A-Za-z0-9_.:\-]+))"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString head = QString::fromLatin1(page.left(kCharsetSniffLength));
    return charset.match(head).captured(1).toLower();
}

} // namespace

QString htmlToText(const QByteArray &page, ReadingReport *report, BookFileEncoding encoding)
{
    return htmlPageToText(decodeBookBytes(page, declaredCharset(page), report, encoding), report);
}

QString htmlPageToText(const QString &page, ReadingReport *report)
{
    return parseToText(withoutInternalSubset(page).toUtf8(), report);
}

QByteArray prepareHtml(const QByteArray &html)
{
    static const QByteArray kTwoSpaces = "&#160;&#160;";
    QByteArray page = html;
    page.replace("<p>", "<p>" + kTwoSpaces);

    QByteArray marked;
    marked.reserve(page.size() + page.size() / 16);
    const QByteArray lower = page.toLower();
    qsizetype from = 0;
    for (qsizetype tag = lower.indexOf("<p "); tag >= 0; tag = lower.indexOf("<p ", tag + 3)) {
        const qsizetype close = lower.indexOf('>', tag + 3);
        const qsizetype nextTag = lower.indexOf("<p ", tag + 3);
        if (close < 0 || (nextTag >= 0 && close > nextTag))
            continue; // the piece has no ">": it stays as it is
        marked.append(page.mid(from, close + 1 - from));
        marked.append(kTwoSpaces);
        from = close + 1;
    }
    marked.append(page.mid(from));

    QByteArray result;
    result.reserve(marked.size() + marked.size() / 16);
    const QByteArray markedLower = marked.toLower();
    from = 0;
    for (qsizetype end = markedLower.indexOf("</p>"); end >= 0; end = markedLower.indexOf("</p>", end + 4)) {
        result.append(marked.mid(from, end - from));
        result.append("<br></p>");
        from = end + 4;
    }
    result.append(marked.mid(from));
    return result;
}

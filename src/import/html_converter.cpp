#include "import/html_converter.h"

#include "common/text_codec.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

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
    void walk(xmlNode *node)
    {
        for (; node; node = node->next) {
            if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
                addText(QString::fromUtf8(reinterpret_cast<const char *>(node->content)));
            } else if (node->type == XML_ELEMENT_NODE) {
                const char *name = reinterpret_cast<const char *>(node->name);
                if (isHiddenElement(name))
                    continue;
                if (qstricmp(name, "br") == 0) {
                    m_text.append(QChar(kLineBreak));
                    m_pendingSpace = false;
                    continue;
                }
                const bool block = isBlockElement(name);
                const bool preformatted = qstricmp(name, "pre") == 0;
                if (block)
                    endLine();
                if (preformatted)
                    ++m_preDepth;
                walk(node->children);
                if (preformatted)
                    --m_preDepth;
                if (block)
                    endLine();
            }
        }
    }

    QString take()
    {
        endLine();
        return std::move(m_text);
    }

private:
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

QString parseToText(const QByteArray &bytes, const char *encoding)
{
    const int options =
        HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET | HTML_PARSE_IGNORE_ENC;
    std::unique_ptr<xmlDoc, decltype(&xmlFreeDoc)> doc(
        htmlReadMemory(bytes.constData(), static_cast<int>(bytes.size()), nullptr, encoding, options), &xmlFreeDoc);
    if (!doc)
        return {};
    TextCollector collector;
    collector.walk(xmlDocGetRootElement(doc.get()));
    return collector.take();
}

QString declaredCharset(const QByteArray &page)
{
    static const QRegularExpression charset(QStringLiteral(R"(<meta[^>]*charset\s*=\s*["']?\s*([A-Za-z0-9_.:\-]+))"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QString head = QString::fromLatin1(page.left(kCharsetSniffLength));
    return charset.match(head).captured(1).toLower();
}

} // namespace

QString htmlToText(const QByteArray &page)
{
    if (page.startsWith("\xFF\xFE") || page.startsWith("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16);
        return htmlPageToText(decoder(page));
    }
    if (page.startsWith("\xEF\xBB\xBF"))
        return parseToText(page.mid(3), "UTF-8");
    QString charset = declaredCharset(page);
    if (charset.isEmpty() || charset.startsWith(u"utf-16"))
        charset = Codec::looksLikeUtf8(page) ? QStringLiteral("utf-8") : QStringLiteral("windows-1251");
    // Windows-1251 goes through our own codec so pages read the same as
    // every other file of the program.
    if (charset == u"windows-1251" || charset == u"cp1251" || charset == u"x-cp1251")
        return htmlPageToText(Codec::fromCp1251(page));
    const QByteArray name = charset.toLatin1();
    QString text = parseToText(page, name.constData());
    if (text.isEmpty() && !page.trimmed().isEmpty()) // a charset libxml2 does not know
        text = htmlPageToText(Codec::fromCp1251(page));
    return text;
}

QString htmlPageToText(const QString &page)
{
    return parseToText(page.toUtf8(), "UTF-8");
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

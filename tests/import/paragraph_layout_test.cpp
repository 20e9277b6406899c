#include "import/paragraph_layout.h"

#include "print_qstring.h"

#include <gtest/gtest.h>

TEST(ParagraphLayout, OnlyABookWithoutIndentsOrEmptyLinesNeedsTheOption)
{
    struct Case
    {
        const char16_t *text;
        bool withoutIndent;
    };
    const Case cases[] = {
        // one line a paragraph, nothing before it: paragraphs end at sentence ends
        {u"Глава первая\r\nОн вошёл.\r\n- Кто там? - спросил он.\r\nНикто не ответил.\r\nТишина.", true},
        // indented paragraphs end before the next indent
        {u"    Он вошёл.\r\n    - Кто там? - спросил он.\r\n    Никто не ответил.", false},
        {u"\tОн вошёл,\r\nи сел.\r\n\tНикто не ответил.", false},
        // paragraphs set apart by empty lines end before them
        {u"Он вошёл.\r\n\r\n- Кто там? - спросил он.\r\n\r\nНикто не ответил.", false},
        {u"", false},
        {u"  \r\n\r\n", false},
    };
    for (const Case &c : cases) {
        const ParagraphLayout layout = detectParagraphLayout(QString::fromUtf16(c.text));
        EXPECT_EQ(layout.withoutIndent, c.withoutIndent) << QString::fromUtf16(c.text).toStdString();
        EXPECT_TRUE(
            layout.status.contains(layout.withoutIndent ? QStringLiteral("включено") : QStringLiteral("выключено")));
    }
}

#include "import/stress_accents.h"

#include "print_qstring.h"

#include <gtest/gtest.h>

TEST(StressAccents, BecomeAPlusAfterTheCyrillicVowel)
{
    struct Case
    {
        const char16_t *text, *expected;
    };
    const Case cases[] = {
        {u"за\u0301мок", u"за+мок"}, // combining acute
        {u"замо\u0300к", u"замо+к"}, // combining grave
        {u"ЗА\u0301МОК", u"ЗА+МОК"},
        {u"пóдать, мукá, éсли, ýтро", u"по+дать, мука+, е+сли, у+тро"}, // Latin letters with an acute
        {u"прúнял", u"при+нял"},                                        // ú imitates an italic "и"
        {u"пo\u0301дать", u"по+дать"},                                  // a Latin "o" with a combining acute
        {u"вѐдро", u"ве+дро"},
        {u"café, résumé, Ýbl", u"café, résumé, Ýbl"}, // Latin words keep their letters
        {u"н\u0301ет", u"н\u0301ет"},                 // a mark after a consonant stays as it is
        {u"нет ударения", u"нет ударения"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(stressAccentsAsMarks(QString::fromUtf16(c.text)), QString::fromUtf16(c.expected))
            << QString::fromUtf16(c.text).toStdString();
}

// Role markers turned into SAPI XML and Speech Cube tags.

#include "recording/voice_markup.h"

#include <gtest/gtest.h>

namespace {

VoiceParams roles()
{
    VoiceParams v;
    v.speed = {2, 3, 4, 5};
    v.pitch = {-1, 6, 7, 8};
    v.pause = {300, 100, 200, 400};
    return v;
}

} // namespace

TEST(VoiceMarkup, SapiXmlForEachMarker)
{
    const VoiceParams v = roles();
    const struct
    {
        QString text;
        QString xml;
    } cases[] = {
        {QStringLiteral("Без меток. Да!"), QStringLiteral("Без меток. Да!")},
        {QStringLiteral("А {пауза->} Б"), QStringLiteral("А<silence msec=\"300\"/>Б")},
        {QStringLiteral(" {повествование->} Он ушёл."),
         QStringLiteral("\n<rate absspeed=\"2\"/> <pitch absmiddle=\"-1\"/> Он ушёл.")},
        {QStringLiteral("А {речь->} Б"),
         QStringLiteral("А\n        <silence msec=\"100\"/> <rate absspeed=\"3\"/> <pitch absmiddle=\"6\"/>Б")},
        {QStringLiteral("А {речь2->} Б"),
         QStringLiteral("А\n        <silence msec=\"200\"/> <rate absspeed=\"4\"/> <pitch absmiddle=\"7\"/>Б")},
        {QStringLiteral("А {автор->} Б"),
         QStringLiteral("А\n        <silence msec=\"400\"/> <rate absspeed=\"5\"/> <pitch absmiddle=\"8\"/>Б")},
        // An outside editor trimmed or doubled the blanks around a marker.
        {QStringLiteral("Текст. {пауза->}\r\n"), QStringLiteral("Текст.<silence msec=\"300\"/>\r\n")},
        {QStringLiteral("А{пауза->}Б"), QStringLiteral("А<silence msec=\"300\"/>Б")},
        {QStringLiteral("А \t{речь->}  Б"),
         QStringLiteral("А\n        <silence msec=\"100\"/> <rate absspeed=\"3\"/> <pitch absmiddle=\"6\"/>Б")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(toSapiMarkup(c.text, v), c.xml) << c.text.toStdString();
}

TEST(VoiceMarkup, SpeechCubeTagsForEachMarker)
{
    const VoiceParams v = roles();
    const struct
    {
        QString text;
        QString tagged;
    } cases[] = {
        // no role yet: no rate tag after the punctuation
        {QStringLiteral("Без меток, да."), QStringLiteral("Без меток, да.")},
        {QStringLiteral(" {повествование->} Он ушёл."),
         QStringLiteral(". \\abspitch{-1} \\absspeed{2} Он ушёл.  \\absspeed{2} ")},
        {QStringLiteral("А {пауза->} Б"), QStringLiteral("А. \\pause{300ms} Б")},
        {QStringLiteral(" {речь->} Да, нет"),
         QStringLiteral(". \\abspitch{6} \\absspeed{3} \\pause{100ms}Да,  \\absspeed{3}  нет")},
        {QStringLiteral(" {автор->} Х. {пауза->} Ц!"),
         QStringLiteral(
             ". \\abspitch{8} \\absspeed{5} \\pause{400ms}Х.  \\absspeed{5} . \\pause{300ms} Ц!  \\absspeed{5} ")},
        // blank lines become empty; a line break restates the rate too
        {QStringLiteral(" {речь2->} а\n   \nб"),
         QStringLiteral(". \\abspitch{7} \\absspeed{4} \\pause{200ms}а\n  \\absspeed{4} \n  \\absspeed{4} б")},
        // the same with CR LF line ends: the blank line keeps its CR
        {QStringLiteral(" {речь2->} а\r\n   \r\nб"),
         QStringLiteral(". \\abspitch{7} \\absspeed{4} \\pause{200ms}а\r\n  \\absspeed{4} \r\n  \\absspeed{4} б")},
    };
    for (const auto &c : cases)
        EXPECT_EQ(toCubeMarkup(c.text, v), c.tagged) << c.text.toStdString();
}

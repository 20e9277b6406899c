// Taking the voice markup's SAPI XML apart into text and silence pieces.

#include "recording/speech/sapi_markup.h"

#include <gtest/gtest.h>

namespace {

// Text pieces as "text@rate/pitch", silences as "~msec".
QStringList describe(const QList<SpeechPiece> &pieces)
{
    QStringList out;
    for (const SpeechPiece &p : pieces)
        out << (p.kind == SpeechPiece::Silence ? QStringLiteral("~%1").arg(p.msec)
                                               : QStringLiteral("%1@%2/%3").arg(p.text).arg(p.rate).arg(p.pitch));
    return out;
}

} // namespace

TEST(SapiMarkup, PiecesOfTheMarkupsOwnXml)
{
    const struct
    {
        QString xml;
        QStringList pieces;
    } cases[] = {
        {QStringLiteral("Просто текст."), {QStringLiteral("Просто текст.@0/0")}},
        {QStringLiteral("<silence msec=\"300\"/>Да."), {QStringLiteral("~300"), QStringLiteral("Да.@0/0")}},
        {QStringLiteral("\n<rate absspeed=\"2\"/> <pitch absmiddle=\"-1\"/> Он сказал."),
         {QStringLiteral(" Он сказал.@2/-1")}},
        {QStringLiteral("А.\n        <silence msec=\"0\"/> <rate absspeed=\"-3\"/> <pitch absmiddle=\"4\"/>Б."),
         {QStringLiteral("А.\n        @0/0"), QStringLiteral("~0"), QStringLiteral("Б.@-3/4")}},
        {QStringLiteral("1 &lt; 2 &amp;&amp; 3 &gt; 2 &#1071;&#x44F;"), {QStringLiteral("1 < 2 && 3 > 2 Яя@0/0")}},
        {QStringLiteral("<rate absspeed=\"25\"/>быстро"), {QStringLiteral("быстро@10/0")}},
        {QStringLiteral("<rate absspeed=\"3\">вложено</rate> после"),
         {QStringLiteral("вложено@3/0"), QStringLiteral(" после@0/0")}},
        {QStringLiteral("<voice required=\"x\"/>a < b"), {QStringLiteral("a < b@0/0")}},
        {QStringLiteral("&nbsp; &amp"), {QStringLiteral("&nbsp; &amp@0/0")}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(describe(parseSapiXml(c.xml)), c.pieces) << c.xml.toStdString();
}

TEST(SapiMarkup, EveryCharacterKnowsWhereItStood)
{
    const QString xml = QStringLiteral("<rate absspeed=\"1\"/>Я &lt;б&gt;");
    const QList<SpeechPiece> pieces = parseSapiXml(xml);
    ASSERT_EQ(pieces.size(), 1);
    const SpeechPiece &p = pieces.first();
    EXPECT_EQ(p.text, QStringLiteral("Я <б>"));
    EXPECT_EQ(p.sourcePos, (QList<int>{20, 21, 22, 26, 27, 31}));
}

TEST(SapiMarkup, PlainTextIsOnePieceAsItStands)
{
    const QString text = QStringLiteral("<silence msec=\"5\"/> &lt;");
    const QList<SpeechPiece> pieces = plainTextPieces(text);
    ASSERT_EQ(pieces.size(), 1);
    EXPECT_EQ(pieces.first().text, text);
    EXPECT_EQ(pieces.first().sourcePos.last(), text.size());
    EXPECT_TRUE(plainTextPieces(QStringLiteral("  \n")).isEmpty());
}

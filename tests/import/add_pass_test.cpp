#include "import/add_pass.h"
#include "import/voice_markers.h"

#include <algorithm>

#include "print_qstring.h"

#include <gtest/gtest.h>

namespace {

QString q(const char16_t *s)
{
    return QString::fromUtf16(s);
}

// Markers as short tokens, so expected lines stay readable.
QString render(const QString &text)
{
    QString t = text;
    t.replace(VoiceMarker::narration, QStringLiteral("{П}"));
    t.replace(VoiceMarker::speech2, QStringLiteral("{Р2}"));
    t.replace(VoiceMarker::speech, QStringLiteral("{Р}"));
    t.replace(VoiceMarker::author, QStringLiteral("{А}"));
    t.replace(VoiceMarker::pause, QStringLiteral("{.}"));
    return t;
}

AddOptions plainOptions()
{
    AddOptions o;
    o.splitBySize = false;
    o.splitByChapters = false;
    o.removeHyphens = false;
    o.fixYears = false;
    return o;
}

BookBlocks cut(const QString &text, const AddOptions &options, QList<ChapterIdentifier> identifiers = {})
{
    ChapterDetector detector(identifiers, options.dialogueStartsWithQuotes);
    return cutIntoBlocks(text, QStringLiteral("Книга"), options, detector);
}

// The lines of one block after its opening line, rendered.
QStringList blockLines(const QString &block)
{
    QStringList lines = render(block).split(QStringLiteral("\r\n"));
    lines.removeFirst();
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

// Whether a block has a letter or a digit to say, markers aside.
bool speaks(const QString &block)
{
    const QString words = removeVoiceMarkers(block);
    return std::any_of(words.begin(), words.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

QString firstLine(const QString &text, const AddOptions &options)
{
    return blockLines(cut(text, options).blocks.value(0)).value(0);
}

} // namespace

TEST(AddPass, DialogueLines)
{
    struct Case
    {
        const char16_t *line, *next;
        bool quotes;
        const char16_t *expected;
    };
    const Case cases[] = {
        // reply, author; the line ends a paragraph, so narration and a pause follow
        {u"- Привет, - сказал он.", u"", false, u"{Р} - Привет,{А} - сказал он.{П}{.}"},
        // reply, author, reply again
        {u"- Здравствуй, - сказал он. - Как дела?", u"", false,
         u"{Р} - Здравствуй,{А} - сказал он.{Р} - Как дела?{П}{.}"},
        // a digit or a capital after the dash opens a reply, a small letter does not
        {u"- 5 рублей.", u"  Далее", false, u"{Р} - 5 рублей.{П}{.}"},
        {u"- нет, - не так.", u"  Далее", false, u"- нет, - не так.{.}"},
        // every separator kind, earliest first
        {u"- А: - Б! - В? - Г.", u"", false, u"{Р} - А:{А} - Б!{Р} - В?{А} - Г.{П}{.}"},
        // dashes glued to the stop are spaced out first
        {u"- Да.- Нет.", u"", false, u"{Р} - Да.{А} - Нет.{П}{.}"},
        // long dashes, guillemets and a leading quote as the reply's dash
        {u"«Да», — ответил он.", u"", true, u"{Р} - Да ,{А} - ответил он.{П}{.}"},
        // without the option the guillemet leaves a space behind
        {u"«Да», — ответил он.", u"", false, u" Да , - ответил он.{.}"},
    };
    for (const Case &c : cases) {
        AddOptions options = plainOptions();
        options.dialogueStartsWithQuotes = c.quotes;
        EXPECT_EQ(firstLine(q(c.line) + QStringLiteral("\r\n") + q(c.next), options), q(c.expected))
            << q(c.line).toStdString();
    }
}

TEST(AddPass, LineCleanup)
{
    struct Case
    {
        const char16_t *line, *expected;
    };
    const Case cases[] = {
        {u"\t Он сказал—да…  «ладно» .", u"Он сказал-да... ладно.{.}"},
        {u"Слово - .", u"Слово - .{.}"},      // a space after a dash stays
        {u"Он крикнул --", u"Он крикнул - "}, // a line ending in a dash gets a space
        {u"Сумма: 5 &lt; 7", u"Сумма: 5 &lt; 7"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(firstLine(q(c.line) + QStringLiteral("\r\n  Далее."), plainOptions()), q(c.expected))
            << q(c.line).toStdString();
}

TEST(AddPass, DialogueGoesOnOverLinesUntilTheParagraphEnds)
{
    const BookBlocks book =
        cut(QStringLiteral("- Привет, - сказал он\r\nи ушёл. - Пока!\r\n  Тишина. - и всё."), plainOptions());
    EXPECT_EQ(blockLines(book.blocks[0]),
              QStringList({QStringLiteral("{Р} - Привет,{А} - сказал он{.}"),
                           QStringLiteral("и ушёл.{Р} - Пока!{П}{.}"), QStringLiteral("Тишина. - и всё.{.}")}));
}

TEST(AddPass, HyphenJoins)
{
    struct Case
    {
        const char16_t *text;
        bool removeHyphens, analyse;
        const char16_t *expected;
    };
    const Case cases[] = {
        {u"Это пере-\r\nнос слова.", true, true, u"Это перенос слова.{.}"},
        {u"Это пере-\r\nнос слова.", false, true, u"Это пере-{.}|нос слова.{.}"},
        {u"Это пере-\r\nнос слова.", true, false, u"Это пере-|нос слова."},
        {u"Это пере-\r\n  нос слова.", true, true, u"Это пере-|нос слова.{.}"}, // indented: a new paragraph
        {u"Это пере-\r\n\r\nнос.", true, true, u"Это пере-{.}||нос.{.}"},       // an empty line follows
        {u"Сказал -\r\nи ушёл.", true, true, u"Сказал - {.}|и ушёл.{.}"},       // a dash, not a hyphen
    };
    for (const Case &c : cases) {
        AddOptions options = plainOptions();
        options.removeHyphens = c.removeHyphens;
        options.analyseDialogues = c.analyse;
        EXPECT_EQ(blockLines(cut(q(c.text), options).blocks[0]).join(u'|'), q(c.expected)) << q(c.text).toStdString();
    }
}

TEST(AddPass, ParagraphEndsAndPauses)
{
    struct Case
    {
        const char16_t *text;
        bool withoutIndent;
        const char16_t *expected;
    };
    const Case cases[] = {
        // a sentence ends a paragraph only before an indented or empty line
        {u"Первая фраза, и она длиннее сорока восьми знаков.\r\nВторая.\r\n  Третья.", false,
         u"Первая фраза, и она длиннее сорока восьми знаков.|Вторая.{.}|Третья.{.}"},
        // with "no indent" every sentence end is a paragraph end
        {u"Первая фраза, и она длиннее сорока восьми знаков.\r\nВторая.", true,
         u"Первая фраза, и она длиннее сорока восьми знаков.{.}|Вторая.{.}"},
        // a tab or a no-break space indents like a space
        {u"Первая фраза, и она длиннее сорока восьми знаков.\r\n\tВторая.", false,
         u"Первая фраза, и она длиннее сорока восьми знаков.{.}|Вторая.{.}"},
        {u"Первая фраза, и она длиннее сорока восьми знаков.\r\n\u00A0\u00A0Вторая.", false,
         u"Первая фраза, и она длиннее сорока восьми знаков.{.}|Вторая.{.}"},
        // short lines of a poem each get a pause; the line before a blank one too
        {u"Мороз и солнце;\r\nдень чудесный!\r\nЕще ты дремлешь, друг прелестный, а время не ждёт\r\n   \r\nКонец",
         false, u"Мороз и солнце;{.}|день чудесный!{.}|Еще ты дремлешь, друг прелестный, а время не ждёт{.}||Конец{.}"},
    };
    for (const Case &c : cases) {
        AddOptions options = plainOptions();
        options.paragraphWithoutIndent = c.withoutIndent;
        EXPECT_EQ(blockLines(cut(q(c.text), options).blocks[0]).join(u'|'), q(c.expected)) << q(c.text).toStdString();
    }
}

TEST(AddPass, TwoVoiceDialogueAlternatesByParagraph)
{
    AddOptions options = plainOptions();
    options.twoVoiceDialogue = true;
    const BookBlocks book = cut(QStringLiteral("- Раз.\r\n  - Два.\r\n  - Три."), options);
    EXPECT_EQ(blockLines(book.blocks[0]),
              QStringList({QStringLiteral("{Р2} - Раз.{П}{.}"), QStringLiteral("{Р} - Два.{П}{.}"),
                           QStringLiteral("{Р2} - Три.{.}")})); // the text's last line ends no paragraph
}

TEST(AddPass, WithoutDialogueAnalysisNoMarkerIsWritten)
{
    AddOptions options = plainOptions();
    options.analyseDialogues = false;
    options.splitByChapters = true;
    options.twoVoiceDialogue = true;
    const BookBlocks book = cut(QStringLiteral("Начало <b>.\r\n- Привет, - сказал он.\r\nГлава 2\r\nТекст."), options,
                                {{QStringLiteral("Глава #"), true}});
    ASSERT_EQ(book.blocks.size(), 2);
    EXPECT_EQ(book.blocks[0], QStringLiteral("\r\nНачало &lt;b&gt;.\r\n- Привет, - сказал он.\r\n"));
    EXPECT_EQ(book.blocks[1], QStringLiteral("\r\nГлава 2\r\nТекст.\r\n"));
}

TEST(AddPass, ChapterBreaks)
{
    AddOptions options = plainOptions();
    options.splitByChapters = true;
    const QList<ChapterIdentifier> identifiers = {
        {QStringLiteral("ГЛАВА"), true}, {QStringLiteral("Глава {номер}"), true}, {QStringLiteral("{римское}|"), true}};
    // The first line never opens a block of its own; headings keep the
    // letter case of the book, Roman numerals stay numerals.
    const BookBlocks book = cut(QStringLiteral("Глава 1\r\nТекст один.\r\n\r\nГЛАВА ВТОРАЯ\r\n\r\n  Текст два.\r\n"
                                               "III\r\nПолотенце с петухом.\r\nГлава IV. Вьюга\r\nКонец."),
                                options, identifiers);
    EXPECT_EQ(book.names, QStringList({QStringLiteral("Книга"), QStringLiteral("ГЛАВА ВТОРАЯ"), QStringLiteral("III"),
                                       QStringLiteral("Глава IV. Вьюга")}));
    ASSERT_EQ(book.blocks.size(), 4);
    EXPECT_EQ(blockLines(book.blocks[0]),
              QStringList({QStringLiteral("Глава 1{.}"), QStringLiteral("Текст один.{.}"), QString()}));
    EXPECT_EQ(blockLines(book.blocks[1]),
              QStringList({QStringLiteral("ГЛАВА ВТОРАЯ{.}{.}"), QString(), QStringLiteral("Текст два.{.}")}));
    EXPECT_EQ(blockLines(book.blocks[2]),
              QStringList({QStringLiteral("III{.}"), QStringLiteral("Полотенце с петухом.{.}")}));
    EXPECT_EQ(blockLines(book.blocks[3]).value(0), QStringLiteral("Глава IV. Вьюга{.}"));
    for (const QString &block : book.blocks)
        EXPECT_TRUE(block.startsWith(VoiceMarker::narration + QStringLiteral("\r\n")));

    options.splitByChapters = false;
    EXPECT_EQ(cut(QStringLiteral("Текст.\r\nГлава 2\r\nЕщё."), options, identifiers).blocks.size(), 1);
}

TEST(AddPass, SizeBreaksAndTheirNames)
{
    AddOptions options = plainOptions();
    options.splitByChapters = true;
    options.splitBySize = true;
    options.maxBlockSizeText = QStringLiteral("19.6");             // rounds to 20
    const QString text = QStringLiteral("Первая фраза текста.\r\n" // 20 characters and a full stop: a size break
                                        "Короткая.\r\n"
                                        "Вопрос без точки, длинный?\r\n" // never closes a block
                                        "Восклицание, очень длинное!\r\n"
                                        "И точка с пробелом.  \r\n" // the trimmed line ends in a full stop
                                        "Ещё.\r\n"
                                        "Глава 1\r\n"
                                        "Текст главы первой, длинный.\r\n"
                                        "Глава 2\r\n" // right after a size break: it names that block
                                        "Конец.");
    const BookBlocks book = cut(text, options, {{QStringLiteral("Глава #"), true}});
    EXPECT_EQ(book.names, QStringList({QStringLiteral("Книга"), QStringLiteral("Блок(2)"), QStringLiteral("Блок(3)"),
                                       QStringLiteral("Глава 1"), QStringLiteral("Глава 2")}));
    ASSERT_EQ(book.blocks.size(), book.names.size());
    EXPECT_EQ(blockLines(book.blocks[1]).size(), 4);
    EXPECT_EQ(blockLines(book.blocks.last()), QStringList({QStringLiteral("Глава 2{.}"), QStringLiteral("Конец.{.}")}));

    // Parts of a chapter are numbered after its name; a break on the very
    // last line leaves no empty block behind.
    const BookBlocks parts = cut(QStringLiteral("Вступление.\r\nГлава 1\r\nПервая фраза текста.\r\n"
                                                "Вторая фраза текста.\r\n\r\n"),
                                 options, {{QStringLiteral("Глава #"), true}});
    EXPECT_EQ(parts.names,
              QStringList({QStringLiteral("Книга"), QStringLiteral("Глава 1"), QStringLiteral("Глава 1(2)")}));
    EXPECT_EQ(blockLines(parts.blocks.last()).value(0), QStringLiteral("Вторая фраза текста.{.}"));

    options.maxBlockSizeText = QStringLiteral("1000");
    EXPECT_EQ(cut(text, options, {}).blocks.size(), 1);
}

TEST(AddPass, ATextWithoutHeadingsIsOneBlockNamedAfterTheTitle)
{
    AddOptions options = plainOptions();
    options.splitByChapters = true;
    const BookBlocks book =
        cut(QStringLiteral("Просто текст.\r\nЕщё текст."), options, {{QStringLiteral("Глава #"), true}});
    EXPECT_EQ(book.names, QStringList({QStringLiteral("Книга")}));
    EXPECT_EQ(book.blocks.size(), 1);
}

TEST(AddPass, SplitsLinesAtEveryKindOfLineBreak)
{
    EXPECT_EQ(
        splitBookLines(QStringLiteral("a\r\nb\rc\nd\r\n")),
        QStringList({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"), QString()}));
}

TEST(AddPass, DictionariesRewriteEachLineAfterTheMarkers)
{
    AddOptions options = plainOptions();
    QStringList seen;
    const LineRewriter rewriter = [&](const QString &line) {
        seen.append(render(line));
        return DictionaryRewrite{QString(line).replace(QStringLiteral("замок"), QStringLiteral("за+мок")), QString()};
    };
    ChapterDetector detector;
    options.applyDictionaries = true;
    BookBlocks book = cutIntoBlocks(QStringLiteral("- Замок, - сказал он, - и замок."), QStringLiteral("Т"), options,
                                    detector, rewriter);
    EXPECT_EQ(seen, QStringList({QStringLiteral("{Р} - Замок,{А} - сказал он,{Р} - и замок.")}));
    EXPECT_TRUE(book.blocks[0].contains(QStringLiteral("за+мок")));

    options.applyDictionaries = false;
    seen.clear();
    cutIntoBlocks(QStringLiteral("замок"), QStringLiteral("Т"), options, detector, rewriter);
    EXPECT_TRUE(seen.isEmpty());
}

TEST(AddPass, AnOverlongParagraphIsCutAtSentenceEnds)
{
    // A book whose paragraphs all ran into one line still gets blocks of
    // about the block size, cut where sentences end, and keeps every word.
    AddOptions options = plainOptions();
    options.splitBySize = true;
    options.splitByChapters = true;
    options.maxBlockSizeText = QStringLiteral("100");
    QStringList sentences;
    for (int i = 0; i < 60; ++i)
        sentences.append(i == 30 ? QStringLiteral("Глава 5")
                                 : QStringLiteral("Предложение номер %1 идёт здесь.").arg(i));
    const QString paragraph = sentences.join(u' ');
    const BookBlocks book = cut(paragraph + QStringLiteral("\r\nКонец."), options, {{QStringLiteral("Глава #"), true}});

    ASSERT_GT(book.blocks.size(), 10);
    QString spoken;
    for (const QString &block : book.blocks) {
        const QString text = removeVoiceMarkers(block).simplified();
        EXPECT_LT(text.size(), 200) << text.toStdString();
        spoken += text + u' ';
    }
    EXPECT_EQ(spoken.simplified(), (paragraph + QStringLiteral(" Конец.")).simplified());
    // A sentence inside the paragraph that reads like a heading is no chapter.
    EXPECT_FALSE(book.names.contains(QStringLiteral("Глава 5")));

    // A line up to twice the block size stays whole.
    const QString shortParagraph = sentences.mid(0, 6).join(u' ');
    ASSERT_LE(shortParagraph.size(), 200);
    EXPECT_EQ(cut(shortParagraph, options).blocks.size(), 1);
}

// A size break at a chapter's end, then empty lines holding spaces, then the
// next heading: the heading takes over the block the break opened, so no
// block is left with nothing to say and the chapter stays whole.
TEST(AddPass, AHeadingAfterASizeBreakKeepsItsChapterWhole)
{
    AddOptions options = plainOptions();
    options.splitByChapters = true;
    options.splitBySize = true;
    options.maxBlockSizeText = QStringLiteral("20");
    const QString text = QStringLiteral("Вступление.\r\nГлава 1\r\nПервая глава кончается тут.\r\n"
                                        "    \r\n   \r\nГлава 2\r\n    \r\n\r\nВторая глава, длинная фраза.\r\n"
                                        "Её второй абзац.");
    const QList<ChapterIdentifier> identifiers = {{QStringLiteral("Глава #"), true}, {QStringLiteral("\\\\"), true}};
    const BookBlocks book = cut(text, options, identifiers);
    EXPECT_EQ(book.names, QStringList({QStringLiteral("Книга"), QStringLiteral("Глава 1"), QStringLiteral("Глава 2"),
                                       QStringLiteral("Глава 2(2)")}));
    ASSERT_EQ(book.blocks.size(), book.names.size());
    EXPECT_EQ(blockLines(book.blocks[2]).value(2), QStringLiteral("Глава 2{.}"));
    EXPECT_EQ(blockLines(book.blocks[2]).last(), QStringLiteral("Вторая глава, длинная фраза.{.}"));
    for (const QString &block : book.blocks)
        EXPECT_TRUE(speaks(block)) << render(block).toStdString();
}

// A heading after nothing to say begins no block: at the text's start it
// joins the first block, after a heading without words it names that one.
TEST(AddPass, NoBlockWithoutSomethingToSay)
{
    AddOptions options = plainOptions();
    options.splitByChapters = true;
    const BookBlocks book = cut(QStringLiteral("  \r\n\r\n   \r\nГлава 1\r\nТекст.\r\n* * *\r\nГлава 2\r\nЕщё."),
                                options, {{QStringLiteral("Глава #"), true}, {QStringLiteral("[*] [*] [*]"), true}});
    EXPECT_EQ(book.names, QStringList({QStringLiteral("Книга"), QStringLiteral("Глава 2")}));
    ASSERT_EQ(book.blocks.size(), 2);
    EXPECT_EQ(blockLines(book.blocks[1]),
              QStringList({QStringLiteral("* * *{.}"), QStringLiteral("Глава 2{.}"), QStringLiteral("Ещё.{.}")}));
    for (const QString &block : book.blocks)
        EXPECT_TRUE(speaks(block)) << render(block).toStdString();
}

// A heading joins the block of the chapter it opens: a block begins at a
// heading only once the one before has text of its own, a block holding
// only headings is named after all of them, and headings after the last
// words go with the last block.
TEST(AddPass, HeadingsJoinTheChapterTheyOpen)
{
    AddOptions options = plainOptions();
    options.splitByChapters = true;
    options.splitBySize = true;
    options.maxBlockSizeText = QStringLiteral("30");
    const QList<ChapterIdentifier> identifiers = {{QStringLiteral("Часть {номер}"), true},
                                                  {QStringLiteral("Глава {номер}"), true},
                                                  {QStringLiteral("{римское}|"), true},
                                                  {QStringLiteral("\\\\\\"), true}};
    struct Case
    {
        const char16_t *text;
        QStringList names;
    };
    const Case cases[] = {
        {u"Начало.\r\nЧасть вторая\r\nI\r\nТекст.\r\nII\r\nЕщё.", {u"Книга"_qs, u"Часть вторая. I"_qs, u"II"_qs}},
        {u"Начало.\r\nЧасть вторая.\r\n\r\nГлава 1\r\nТекст.", {u"Книга"_qs, u"Часть вторая. Глава 1"_qs}},
        // A section title of two lines after three empty lines, as a
        // FictionBook section's: the pattern leaves the empty-line count,
        // so the second line is a heading too.
        {u"Начало.\r\n\r\n\r\n\r\nГлава 1\r\nСмотритель\r\n\r\nТекст.", {u"Книга"_qs, u"Глава 1. Смотритель"_qs}},
        // Headings before the first words join the title's block; its size
        // parts are the chapter's.
        {u"Часть первая\r\nГлава 1\r\nТекст первой главы, довольно длинный.\r\nЕщё.\r\nГлава 2\r\nКонец.",
         {u"Книга"_qs, u"Часть первая. Глава 1(2)"_qs, u"Глава 2"_qs}},
        // Opened by a size break, a block takes the name of the headings
        // that follow, all of them.
        {u"Начало, в котором тридцать знаков.\r\n\r\nЧасть вторая\r\nIII\r\nТекст.",
         {u"Книга"_qs, u"Часть вторая. III"_qs}},
        {u"Начало.\r\nГлава 9\r\nЧасть третья", {u"Книга"_qs}},
    };
    for (const Case &c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const BookBlocks book = cut(text, options, identifiers);
        EXPECT_EQ(book.names, c.names) << text.toStdString();
        ASSERT_EQ(book.blocks.size(), book.names.size());
        ASSERT_EQ(book.places.size(), book.names.size());
        QString spoken;
        for (const QString &block : book.blocks)
            spoken += removeVoiceMarkers(block);
        EXPECT_EQ(spoken.simplified(), QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" ")).simplified())
            << "every line is in a block";
    }
    const BookBlocks part = cut(QString::fromUtf16(cases[0].text), options, identifiers);
    EXPECT_EQ(blockLines(part.blocks[1]),
              QStringList({QStringLiteral("Часть вторая{.}"), QStringLiteral("I{.}"), QStringLiteral("Текст.{.}")}));
}

TEST(AddPass, SentenceEndsBehindClosingQuotesAndDots)
{
    struct Case
    {
        const char16_t *line;
        bool ends;
    };
    const Case cases[] = {
        {u"- Стой! - крикнул он.", true},
        {u"Он ушёл…", true},
        {u"Он ушёл...", true},
        {u"«Куда же ты?»", true},
        {u"«Нет!»", true},
        {u"«Ну…»", true},
        {u"(Там же.)", true},
        {u"Он сказал: „Иди!“", true},
        {u"Текст.  ", true},
        {u"Он сказал:", false},
        {u"и пошёл дальше, -", false},
        {u"«Иди", false},
    };
    for (const Case &c : cases) {
        AddOptions options = plainOptions();
        // the next line is indented, so a sentence end ends the paragraph
        const QString text = QStringLiteral("- Ответ, - сказал он. ") + q(c.line) + QStringLiteral("\r\n  Дальше.");
        const QString line = firstLine(text, options);
        EXPECT_EQ(line.endsWith(QStringLiteral("{П}{.}")), c.ends) << line.toStdString();
    }
}

TEST(AddPass, StressAccentsBecomeTheVoicesStressMark)
{
    const BookBlocks book =
        cut(QStringLiteral("Нельзя пóдать за\u0301мок и ÝТРО. Café au lait, l’été — пêчка №1."), plainOptions());
    EXPECT_EQ(blockLines(book.blocks[0]).value(0),
              QStringLiteral("Нельзя по+дать за+мок и У+ТРО. Café au lait, l’été - пêчка №1."));
}

#include "import/book_loader.h"
#include "import/word_converter.h"

#include "common/text_codec.h"
#include "support/code_page_text.h"
#include "support/scripted_dialogs.h"
#include "support/temp_program_folder.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QString kOk = QStringLiteral("Конвертация файла: Ok!");

// Answers every conversion with a scripted outcome; a converted document
// becomes `rtf`.
class FakeWordConverter : public WordConverter
{
public:
    WordConversion convertToRtf(const QString &documentPath) override
    {
        converted.append(documentPath);
        return {outcome, rtf};
    }
    int timeoutSeconds() const override { return 120; }

    WordConversionOutcome outcome = WordConversionOutcome::Converted;
    QByteArray rtf;
    QStringList converted;
};

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

struct Fixture
{
    TempProgramFolder folder;
    ScriptedDialogs dialogs;
    FakeWordConverter word;
    BookLoader loader{dialogs, word};
    QStringList statuses;

    Fixture()
    {
        loader.setStatusListener([this](const QString &s) { statuses.append(s); });
    }

    BookLoadResult load(const QString &name, const QByteArray &bytes)
    {
        writeBytes(folder.file(name), bytes);
        return loader.loadFile(folder.file(name), name);
    }
};

} // namespace

TEST(GetFileTitle, ThePartAfterTheLastSeparator)
{
    EXPECT_EQ(fileTitle(QStringLiteral("/home/я/Книги/Война и мир.fb2")), QStringLiteral("Война и мир.fb2"));
    EXPECT_EQ(fileTitle(QStringLiteral("C:\\Books\\a.txt")), QStringLiteral("a.txt"));
    EXPECT_EQ(fileTitle(QStringLiteral("a.txt")), QStringLiteral("a.txt"));
    EXPECT_EQ(fileTitle(QStringLiteral("dir/")), QString());
}

TEST(BookLoader, DispatchByExtensionGivesTextTitleAndPath)
{
    const QByteArray html = "<html><body><P class=\"a\">Абзац</P></body></html>";
    const QString nbsp2 = QString(2, QChar(char16_t(0xA0)));
    const struct
    {
        const char *name;
        QByteArray bytes;
        QString title;
        QString text;
    } cases[] = {
        {"book.txt", Codec::toCp1251(QStringLiteral("Строка\nвторая\r")), QStringLiteral("book"),
         QStringLiteral("Строка\r\nвторая\r\n")},
        {"Book.HTML", html, QStringLiteral("Book"), nbsp2 + QStringLiteral("Абзац\r\n\r\n")},
        {"book.htm", html, QStringLiteral("book"), nbsp2 + QStringLiteral("Абзац\r\n\r\n")},
        {"Повесть.RTF", "{\\rtf1\\ansi\\ansicpg1251\\fi360 \\'cf\\'e5\\'f0\\'e2\\'fb\\'e9\\par}",
         QStringLiteral("Повесть"), QStringLiteral("    Первый")},
        {"x.fb2",
         "<?xml version=\"1.0\" encoding=\"utf-8\"?><FictionBook><description><title-info>"
         "<book-title>Имя</book-title></title-info></description><body><p>Текст</p></body></FictionBook>",
         QStringLiteral("Имя"), QStringLiteral("Имя\r\n\r\n\r\n  Текст\r\n")}, // its own title, not "x"
    };
    for (const auto &c : cases) {
        Fixture f;
        const QString name = QString::fromUtf8(c.name);
        const BookLoadResult result = f.load(name, c.bytes);
        ASSERT_TRUE(result.loaded) << c.name;
        EXPECT_EQ(result.text, c.text) << c.name;
        EXPECT_EQ(result.title, c.title) << c.name;
        EXPECT_EQ(result.sourcePath, f.folder.file(name)) << c.name;
        EXPECT_EQ(result.status, kOk) << c.name;
        EXPECT_EQ(result.information.has_value(), name.endsWith(u".fb2")) << c.name;
        EXPECT_EQ(result.indentsMarked, name.endsWith(u".RTF")) << c.name;
        EXPECT_TRUE(f.dialogs.shown.isEmpty()) << c.name;
        EXPECT_EQ(f.statuses.last(), kOk) << c.name;
    }
}

TEST(BookLoader, FictionBookFillsTheInformationFields)
{
    REQUIRE_SHARED_DATA();
    Fixture f;
    const BookLoadResult result =
        f.loader.loadFile(sharedDataPath(QStringLiteral("books/fb2/war-and-peace-demo.cp1251.fb2")),
                          QStringLiteral("war-and-peace-demo.cp1251.fb2"));
    ASSERT_TRUE(result.information);
    EXPECT_EQ(result.information->title, QStringLiteral("Война и мир"));
    EXPECT_EQ(result.information->authors, QStringLiteral("Лев Толстой"));
    EXPECT_EQ(result.title, QStringLiteral("Война и мир"));
    EXPECT_EQ(f.statuses, (QStringList{QStringLiteral("Конвертация файла..."), QString(), kOk}));
}

TEST(BookLoader, WordDocumentsGoThroughTheConverter)
{
    Fixture f;
    f.word.rtf = "{\\rtf1\\ansi\\pard\\fi567 Indented\\par\\pard Flush\\par}";
    const BookLoadResult result = f.load(QStringLiteral("doc one.doc"), "binary word");
    EXPECT_EQ(f.word.converted, QStringList{f.folder.file(QStringLiteral("doc one.doc"))});
    EXPECT_EQ(result.text, QStringLiteral("    Indented\r\nFlush"));
    EXPECT_TRUE(result.indentsMarked);
    EXPECT_EQ(result.status, kOk);
    EXPECT_EQ(f.statuses.first(), QStringLiteral("Конвертация файла..."));

    // DOCX and ODT take the same way; RTF under a Word name is read directly.
    f.load(QStringLiteral("doc two.docx"), "PK zip");
    f.load(QStringLiteral("doc three.ODT"), "PK zip");
    EXPECT_EQ(f.word.converted.size(), 3);
    const BookLoadResult disguised = f.load(QStringLiteral("rtf.doc"), "{\\rtf1 Plain RTF\\par}");
    EXPECT_EQ(f.word.converted.size(), 3);
    EXPECT_EQ(disguised.text, QStringLiteral("Plain RTF"));
    EXPECT_TRUE(disguised.indentsMarked);
}

TEST(BookLoader, AFailedWordConversionIsReportedNotCalledOk)
{
    const struct
    {
        WordConversionOutcome outcome;
        const char *status;
        const char *inMessage;
    } cases[] = {
        {WordConversionOutcome::ConverterMissing, "Конвертация файла: не найден LibreOffice", "Установите LibreOffice"},
        {WordConversionOutcome::Failed, "Конвертация файла: ошибка LibreOffice", "не смог преобразовать"},
        {WordConversionOutcome::TimedOut, "Конвертация файла: LibreOffice не ответил", "за 120 с"},
    };
    for (const auto &c : cases) {
        Fixture f;
        f.word.outcome = c.outcome;
        const BookLoadResult result = f.load(QStringLiteral("a.doc"), "x");
        EXPECT_FALSE(result.loaded);
        EXPECT_EQ(result.status, QString::fromUtf8(c.status));
        EXPECT_EQ(f.statuses.last(), QString::fromUtf8(c.status));
        ASSERT_EQ(f.dialogs.shown.size(), 1);
        EXPECT_TRUE(f.dialogs.shown[0].text.contains(QString::fromUtf8(c.inMessage))) << c.status;
        EXPECT_TRUE(f.dialogs.shown[0].text.contains(f.folder.file(QStringLiteral("a.doc"))));
    }
}

TEST(BookLoader, NothingReadableIsToldAndLoadsNothing)
{
    const struct
    {
        const char *name;
        QByteArray bytes;
        const char *status;
    } cases[] = {
        {"empty.txt", QByteArray(), "Конвертация файла: текст не найден"},
        {"blank.txt", "\r\n \t\r\n", "Конвертация файла: текст не найден"},
        {"empty.fb2", QByteArray(), "Конвертация файла: текст не найден"},
        {"empty.html", "<html><script>x()</script></html>", "Конвертация файла: текст не найден"},
        {"notrtf.rtf", "just text", "Конвертация файла: это не документ RTF"},
        {"picture.png", "\x89PNG", "Конвертация файла: формат не поддерживается"},
    };
    for (const auto &c : cases) {
        Fixture f;
        const BookLoadResult result = f.load(QString::fromUtf8(c.name), c.bytes);
        EXPECT_FALSE(result.loaded) << c.name;
        EXPECT_FALSE(result.title.has_value()) << c.name;
        EXPECT_EQ(result.status, QString::fromUtf8(c.status)) << c.name;
        EXPECT_EQ(f.dialogs.shown.size(), 1) << c.name;
    }
    Fixture f;
    const BookLoadResult missing =
        f.loader.loadFile(f.folder.file(QStringLiteral("gone.txt")), QStringLiteral("gone.txt"));
    EXPECT_FALSE(missing.loaded);
    EXPECT_EQ(missing.status, QStringLiteral("Конвертация файла: файл не открыт"));
    // A named pipe has no writer: opening it would wait for ever.
    for (const QString &name : {QStringLiteral("pipe.txt"), QStringLiteral("pipe.fb2")}) {
        ASSERT_EQ(mkfifo(QFile::encodeName(f.folder.file(name)).constData(), 0600), 0);
        const BookLoadResult pipe = f.loader.loadFile(f.folder.file(name), name);
        EXPECT_FALSE(pipe.loaded);
        EXPECT_EQ(pipe.status, QStringLiteral("Конвертация файла: файл не открыт"));
    }
}

TEST(BookLoader, BinaryJunkLoadsWhatIsReadableWithoutControlCharacters)
{
    Fixture f;
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(static_cast<char>((i * 37) % 256));
    junk.append(Codec::toCp1251(QStringLiteral("  слово")));
    for (const char *name : {"junk.txt", "junk.rtf", "junk.fb2", "junk.htm"}) {
        QByteArray bytes = QByteArray(name).endsWith(".rtf") ? "{\\rtf1 " + junk : junk;
        const BookLoadResult result = f.load(QString::fromUtf8(name), bytes);
        for (const QChar c : result.text)
            EXPECT_TRUE(c.unicode() >= 32 || c == u'\r' || c == u'\n' || c == u'\t' || c.unicode() == 12)
                << name << " " << int(c.unicode());
    }
    const BookLoadResult text = f.load(QStringLiteral("junk.txt"), junk);
    EXPECT_TRUE(text.loaded);
    EXPECT_TRUE(text.text.endsWith(QStringLiteral("слово")));
}

// The issue's KOI8-R book is read right and the status says how it was
// read; the same bytes read as Windows-1251 (the user's choice) are not
// called "Ok!". RTF names its own code page: no encoding to choose there.
TEST(BookLoader, KoiBooksReadRightAndAGarbledTextIsNeverOk)
{
    Fixture f;
    const QString story = QStringLiteral("Лев Николаевич Толстой. Воскресение.\nКак ни старались люди, собравшись в "
                                         "одно небольшое место несколько сот тысяч, изуродовать ту землю...");
    const QByteArray koi8 = inCodePage(story, Codec::CodePage::Koi8R);
    for (const char *name : {"book.txt", "book.html"}) {
        const BookLoadResult read = f.load(QString::fromUtf8(name), koi8);
        EXPECT_TRUE(read.text.contains(QStringLiteral("Воскресение"))) << name;
        EXPECT_EQ(read.status, kOk + QStringLiteral(" KOI8-R (определена по буквам текста)")) << name;
        EXPECT_TRUE(read.encodingChoosable) << name;
        EXPECT_EQ(read.encoding, QStringLiteral("KOI8-R")) << name;
        EXPECT_FALSE(read.lettersImplausible) << name;
    }
    const BookLoadResult forced = f.loader.loadFile(f.folder.file(QStringLiteral("book.txt")),
                                                    QStringLiteral("book.txt"), BookFileEncoding::Windows1251);
    EXPECT_TRUE(forced.loaded);
    EXPECT_TRUE(forced.text.startsWith(QStringLiteral("мЕЧ оЙЛПМБЕЧЙЮ")));
    EXPECT_TRUE(forced.lettersImplausible);
    EXPECT_EQ(forced.status,
              QStringLiteral("Конвертация файла: в кодировке Windows-1251 буквы не похожи на русский текст"));
    EXPECT_FALSE(f.load(QStringLiteral("book.rtf"), "{\\rtf1 Text\\par}").encodingChoosable);
}

TEST(BookLoader, PasteTakesRtfTextThenPlainText)
{
    Fixture f;
    const BookLoadResult rtf =
        f.loader.loadPaste("{\\rtf1\\fi400 {\\b Bold} text\\par next}", QStringLiteral("ignored"));
    EXPECT_TRUE(rtf.loaded);
    EXPECT_EQ(rtf.text, QStringLiteral("Bold text\r\nnext")); // no indent marks on paste
    EXPECT_EQ(rtf.title, QStringLiteral("Введите название книги!"));
    EXPECT_FALSE(rtf.sourcePath.has_value());

    const BookLoadResult plain = f.loader.loadPaste(QByteArray(), QStringLiteral("a\nb"));
    EXPECT_EQ(plain.text, QStringLiteral("a\nb")); // taken as it is

    EXPECT_FALSE(f.loader.loadPaste(QByteArray(), QString()).loaded);
    EXPECT_TRUE(f.dialogs.shown.isEmpty());
}

// A book whose declaration lies, or whose UTF-8 has a damaged byte, reads
// right, and the status line says what was decided.
TEST(BookLoader, MislabelledAndDamagedBooksReadRightAndSaySo)
{
    Fixture f;
    const QString body = QStringLiteral("Глава первая. Съешь же ещё этих мягких французских булок.");
    const QByteArray cp1251Fb2 = Codec::toCp1251(QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                                                                "<FictionBook><body><section><p>")
                                                 + body + QStringLiteral("</p></section></body></FictionBook>"));
    QByteArray damagedHtml = QStringLiteral("<html><body><p>%1</p><p>%1</p></body></html>").arg(body).toUtf8();
    damagedHtml.insert(damagedHtml.indexOf(QStringLiteral("первая").toUtf8()), char(0xC0));
    const struct
    {
        const char *name;
        QByteArray bytes;
        const char *note;
    } cases[] = {
        {"lie.fb2", cp1251Fb2, "Windows-1251 (файл называет кодировку utf-8, но текст не в ней)"},
        {"damaged.htm", damagedHtml, "UTF-8, 1 повреждённый байт заменён"},
    };
    for (const auto &c : cases) {
        const BookLoadResult result = f.load(QString::fromUtf8(c.name), c.bytes);
        EXPECT_TRUE(result.text.contains(QStringLiteral("французских булок."))) << c.name;
        EXPECT_EQ(result.status, kOk + u' ' + QString::fromUtf8(c.note)) << c.name;
    }
}

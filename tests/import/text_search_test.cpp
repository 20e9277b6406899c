#include "import/editor_text.h"
#include "import/text_file_export.h"
#include "import/text_search.h"

#include "print_qstring.h"
#include "support/temp_program_folder.h"

#include <gtest/gtest.h>

TEST(TextSearch, WalksThroughEveryHitAndWrapsAround)
{
    const QString text = QStringLiteral("Кот и кОТ, и КОТ.");
    TextSearch search;
    EXPECT_EQ(search.findNext(text, QStringLiteral("кот"), false), 0);
    EXPECT_EQ(search.findNext(text, QStringLiteral("кот"), false), 6);
    EXPECT_EQ(search.findNext(text, QStringLiteral("кот"), false), 13);
    EXPECT_EQ(search.findNext(text, QStringLiteral("кот"), false), 0);

    TextSearch exact;
    EXPECT_EQ(exact.findNext(text, QStringLiteral("КОТ"), true), 13);
    EXPECT_EQ(exact.findNext(text, QStringLiteral("КОТ"), true), 13);
    EXPECT_EQ(exact.findNext(text, QStringLiteral("пёс"), true), std::nullopt);
    EXPECT_EQ(exact.findNext(text, QString(), true), std::nullopt);

    exact.restart();
    EXPECT_EQ(exact.findNext(text, QStringLiteral("и"), true), 4);
}

TEST(EditorText, LineEndsAndPositions)
{
    const QString crlf = QStringLiteral("Один\r\nДва\r\n\r\nТри");
    EXPECT_EQ(toEditorText(crlf), QStringLiteral("Один\nДва\n\nТри"));
    EXPECT_EQ(toEditorText(QStringLiteral("a\rb\nc")), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(fromEditorText(toEditorText(crlf)), crlf);
    // "Три" starts at 13 in the CR LF text and at 10 in the editor's.
    EXPECT_EQ(editorPosition(crlf, crlf.indexOf(QStringLiteral("Три"))), 10);
    EXPECT_EQ(editorPosition(crlf, 0), 0);
}

TEST(TextFileExport, AddsTxtAndWritesWindows1251WithCrLf)
{
    EXPECT_EQ(withTxtExtension(QStringLiteral("/x/книга")), QStringLiteral("/x/книга.txt"));
    EXPECT_EQ(withTxtExtension(QStringLiteral("/x/книга.TXT")), QStringLiteral("/x/книга.TXT"));
    EXPECT_EQ(withTxtExtension(QStringLiteral("/x/книга.rtf")), QStringLiteral("/x/книга.rtf.txt"));

    TempProgramFolder folder;
    ASSERT_TRUE(saveTextFile(folder.file(QStringLiteral("out.txt")), QStringLiteral("Ёж\nи «ель»")));
    EXPECT_EQ(folder.readBytes(QStringLiteral("out.txt")), QByteArray("\xA8\xE6\r\n\xE8 \xAB\xE5\xEB\xFC\xBB"));
}

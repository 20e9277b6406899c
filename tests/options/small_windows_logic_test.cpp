#include "options/small_windows_logic.h"

#include "support/temp_program_folder.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(SmallWindows, VersionText)
{
    EXPECT_EQ(versionText(0, 7, 7), QStringLiteral("0.7.07"));
    EXPECT_EQ(versionText(1, 2, 12), QStringLiteral("1.2.12"));
    EXPECT_TRUE(programVersion().count(u'.') == 2);
}

TEST(SmallWindows, NewFolderPathCollapsesSeparators)
{
    EXPECT_EQ(newFolderPath(QStringLiteral("/"), QStringLiteral("Новая")), QStringLiteral("/Новая"));
    EXPECT_EQ(newFolderPath(QStringLiteral("/a/b/"), QStringLiteral("c")), QStringLiteral("/a/b/c"));
    EXPECT_EQ(newFolderPath(QStringLiteral("/a"), QStringLiteral("  ")), QString());
}

TEST(SmallWindows, ManifestIsWrittenOnceAndDeleted)
{
    TempProgramFolder folder;
    ASSERT_TRUE(writeManifest(folder.path()));
    const QByteArray text = folder.readBytes(QStringLiteral("Lectorium.exe.MANIFEST"));
    EXPECT_EQ(text.count("\r\n"), 8); // nine lines
    EXPECT_TRUE(text.contains("name=\"prjThemed\""));
    folder.writeCp1251(QStringLiteral("Lectorium.exe.MANIFEST"), QStringLiteral("mine"));
    ASSERT_TRUE(writeManifest(folder.path()));
    EXPECT_EQ(folder.readBytes(QStringLiteral("Lectorium.exe.MANIFEST")), QByteArray("mine"));
    deleteManifest(folder.path());
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("Lectorium.exe.MANIFEST"))));
}

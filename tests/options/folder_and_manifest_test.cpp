#include "options/new_folder_path.h"
#include "options/visual_style_manifest.h"

#include "support/temp_program_folder.h"

#include <QFile>

#include <gtest/gtest.h>

TEST(NewFolderPath, CollapsesSeparators)
{
    EXPECT_EQ(newFolderPath(QStringLiteral("/"), QStringLiteral("Новая")), QStringLiteral("/Новая"));
    EXPECT_EQ(newFolderPath(QStringLiteral("/a/b/"), QStringLiteral("c")), QStringLiteral("/a/b/c"));
    EXPECT_EQ(newFolderPath(QStringLiteral("/a"), QStringLiteral("  ")), QString());
}

TEST(VisualStyleManifest, IsWrittenOnceAndDeleted)
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

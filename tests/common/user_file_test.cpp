#include "common/user_file.h"

#include "support/file_size_limit.h"
#include "support/temp_program_folder.h"

#include <gtest/gtest.h>

TEST(UserFile, FailedWriteReportsFailureAndKeepsTheOldFile)
{
    TempProgramFolder folder;
    const QString path = folder.file(QStringLiteral("project.ini"));
    const QByteArray old("old contents\r\n");
    ASSERT_TRUE(UserFile::writeBytes(path, old));
    bool written = true;
    {
        const FileSizeLimit limit(1000);
        written = UserFile::writeBytes(path, QByteArray(5000, 'x'));
    }
    EXPECT_FALSE(written);
    EXPECT_EQ(folder.readBytes(QStringLiteral("project.ini")), old);
}

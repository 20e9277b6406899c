#include "common/user_file.h"

#include "support/temp_program_folder.h"

#include <csignal>
#include <sys/resource.h>

#include <gtest/gtest.h>

namespace {

// Writes beyond `bytes` fail while it lives, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

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

// Book loading at book sizes: a 5 MB FictionBook book to text, and a 20 MB
// Windows-1251 text file (four copies of a 5 MB novel) through the plain-text
// branch, both through the loader as the editor calls it. Prints the times
// of three runs each.

#include "import/book_loader.h"
#include "import/word_converter.h"

#include "common/user_dialogs.h"
#include "common/user_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kRuns = 3;

QString shared(const char *relative)
{
    return QStringLiteral(LECTORIUM_SHARED_DATA "/") + QLatin1String(relative);
}

class SilentDialogs : public UserDialogs
{
public:
    DialogAnswer show(const DialogMessage &message) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(message.text));
        return DialogAnswer::Ok;
    }
};

void measure(BookLoader &loader, const QString &path, const char *label)
{
    for (int run = 1; run <= kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        const BookLoadResult result = loader.loadFile(path, path.section(QLatin1Char('/'), -1));
        const double seconds = timer.nsecsElapsed() / 1e9;
        std::printf("%-44s run %d: %6.3f s  (%lld characters of text%s)\n", label, run, seconds,
                    static_cast<long long>(result.text.size()), result.loaded ? "" : ", NOT LOADED");
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SilentDialogs dialogs;
    LibreOfficeConverter converter;
    BookLoader loader(dialogs, converter);

    measure(loader, shared("books/fb2/prose-5mb.utf8.fb2"), "FictionBook, prose-5mb.utf8.fb2 (8.6 MB)");

    const auto novel = UserFile::readBytes(shared("books/txt/prose-5mb.cp1251.txt"));
    QTemporaryDir folder;
    if (!novel || !folder.isValid()) {
        std::fprintf(stderr, "the test book or a temporary folder is missing\n");
        return 1;
    }
    const QString big = folder.filePath(QStringLiteral("four-novels.txt"));
    UserFile::writeBytes(big, novel->repeated(4));
    measure(loader, big, "plain text, 4 x prose-5mb.cp1251.txt (20 MB)");
    return 0;
}

// Book loading at book sizes: a 5 MB FictionBook book to text, the same
// book as an EPUB 3 (one page per section, a navigation document, built
// here), and a 20 MB Windows-1251 text file (four copies of a 5 MB novel)
// through the plain-text branch, all through the loader as the editor calls
// it. Prints the times of three runs each.
//
// bench_loading --write-epub PATH only writes the EPUB, for measuring
// `lectorium-cli text` on it with /usr/bin/time.

#include "import/book_loader.h"
#include "import/word_converter.h"

#include "common/user_dialogs.h"
#include "common/user_file.h"
#include "support/zip_writer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
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

QByteArray xhtml(const QString &body)
{
    return (QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<html xmlns=\"http://www.w3.org/1999/xhtml\" "
                           "xmlns:epub=\"http://www.idpf.org/2007/ops\"><head><title>x</title></head><body>")
            + body + QStringLiteral("</body></html>"))
        .toUtf8();
}

// The FictionBook's sections as the pages of an EPUB 3 book.
bool writeEpubFromFictionBook(const QString &fb2Path, const QString &epubPath)
{
    const auto bytes = UserFile::readBytes(fb2Path);
    if (!bytes)
        return false;
    QString book = QString::fromUtf8(*bytes);
    book = book.mid(book.indexOf(QStringLiteral("<body>")) + 6);
    book.replace(QStringLiteral("<title>"), QStringLiteral("<h2>"))
        .replace(QStringLiteral("</title>"), QStringLiteral("</h2>"));
    book.replace(QStringLiteral("<empty-line/>"), QStringLiteral("<br/>"));
    const QStringList sections = book.split(QStringLiteral("<section>"), Qt::SkipEmptyParts);
    ZipEntries entries{{QStringLiteral("mimetype"), "application/epub+zip"},
                       {QStringLiteral("META-INF/container.xml"),
                        "<container><rootfiles><rootfile full-path=\"OEBPS/content.opf\"/></rootfiles></container>"}};
    QString manifest, spine, nav;
    static const QRegularExpression title(QStringLiteral("<h2><p>(.*?)</p></h2>"));
    for (qsizetype i = 0; i < sections.size(); ++i) {
        QString section = sections[i];
        section.remove(QStringLiteral("</section>"))
            .remove(QStringLiteral("</body>"))
            .remove(QStringLiteral("</FictionBook>"));
        const QString name = QStringLiteral("s%1.xhtml").arg(i);
        entries.append({QStringLiteral("OEBPS/") + name, xhtml(section)});
        manifest +=
            QStringLiteral("<item id=\"s%1\" href=\"%2\" media-type=\"application/xhtml+xml\"/>").arg(i).arg(name);
        spine += QStringLiteral("<itemref idref=\"s%1\"/>").arg(i);
        nav += QStringLiteral("<li><a href=\"%1\">%2</a></li>").arg(name, title.match(section).captured(1));
    }
    entries.append({QStringLiteral("OEBPS/nav.xhtml"),
                    xhtml(QStringLiteral("<nav epub:type=\"toc\"><ol>") + nav + QStringLiteral("</ol></nav>"))});
    const QString opf =
        QStringLiteral("<?xml version=\"1.0\"?><package xmlns=\"http://www.idpf.org/2007/opf\" version=\"3.0\">"
                       "<metadata xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>Большая книга</dc:title>"
                       "<dc:creator>Лев Толстой</dc:creator></metadata><manifest>"
                       "<item id=\"nav\" href=\"nav.xhtml\" media-type=\"application/xhtml+xml\" properties=\"nav\"/>")
        + manifest + QStringLiteral("</manifest><spine>") + spine + QStringLiteral("</spine></package>");
    entries.append({QStringLiteral("OEBPS/content.opf"), opf.toUtf8()});
    return writeZip(epubPath, entries);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--write-epub")
        return writeEpubFromFictionBook(shared("books/fb2/prose-5mb.utf8.fb2"), QString::fromLocal8Bit(argv[2])) ? 0
                                                                                                                 : 1;
    SilentDialogs dialogs;
    LibreOfficeConverter converter;
    BookLoader loader(dialogs, converter);

    measure(loader, shared("books/fb2/prose-5mb.utf8.fb2"), "FictionBook, prose-5mb.utf8.fb2 (8.6 MB)");

    const auto novel = UserFile::readBytes(shared("books/txt/prose-5mb.cp1251.txt"));
    QTemporaryDir folder;
    const QString epub = folder.filePath(QStringLiteral("prose-5mb.epub"));
    if (!writeEpubFromFictionBook(shared("books/fb2/prose-5mb.utf8.fb2"), epub)) {
        std::fprintf(stderr, "the EPUB could not be built\n");
        return 1;
    }
    measure(loader, epub, "EPUB 3 built from prose-5mb.utf8.fb2");
    if (!novel || !folder.isValid()) {
        std::fprintf(stderr, "the test book or a temporary folder is missing\n");
        return 1;
    }
    const QString big = folder.filePath(QStringLiteral("four-novels.txt"));
    UserFile::writeBytes(big, novel->repeated(4));
    measure(loader, big, "plain text, 4 x prose-5mb.cp1251.txt (20 MB)");
    return 0;
}

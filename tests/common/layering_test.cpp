// The shape of the source tree: folders depend on each other in one
// direction, and only the window folders reach the widget libraries. A new
// include that breaks either rule fails here with the file that made it.

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

namespace {

struct Include
{
    QString from; // folder of the including file, relative to src/
    QString to;   // folder of the included file
    QString file; // the including file
};

QString folderOf(const QString &relativePath)
{
    const int slash = relativePath.lastIndexOf(u'/');
    return slash < 0 ? QString() : relativePath.left(slash);
}

QList<Include> projectIncludes(const QString &srcDir)
{
    static const QRegularExpression include(QStringLiteral("^#include \"([^\"]+)\""),
                                            QRegularExpression::MultilineOption);
    QList<Include> result;
    QDirIterator it(srcDir, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = path.mid(srcDir.size() + 1);
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        for (auto m = include.globalMatch(text); m.hasNext();) {
            const QString target = folderOf(m.next().captured(1));
            if (!target.isEmpty() && target != folderOf(relative))
                result.append({folderOf(relative), target, relative});
        }
    }
    return result;
}

bool isWindowFolder(const QString &folder)
{
    return folder.endsWith(QStringLiteral("/ui")) || folder == QStringLiteral("cli");
}

// A path of folders from `from` back to `to`, if there is one.
QStringList pathBetween(const QHash<QString, QSet<QString>> &graph, const QString &from, const QString &to)
{
    QList<QStringList> queue{{from}};
    QSet<QString> seen{from};
    while (!queue.isEmpty()) {
        const QStringList path = queue.takeFirst();
        if (path.last() == to)
            return path;
        for (const QString &next : graph.value(path.last()))
            if (!seen.contains(next)) {
                seen.insert(next);
                queue.append(path + QStringList{next});
            }
    }
    return {};
}

const QString kSrc = QStringLiteral(LECTORIUM_SOURCE_DIR "/src");

} // namespace

TEST(Layering, FoldersDependOnEachOtherInOneDirection)
{
    if (!QFileInfo(kSrc).isReadable())
        GTEST_SKIP() << "the source tree is not readable by this user";
    const QList<Include> includes = projectIncludes(kSrc);
    ASSERT_FALSE(includes.isEmpty());
    QHash<QString, QSet<QString>> graph;
    for (const Include &i : includes)
        graph[i.from].insert(i.to);
    for (const Include &i : includes) {
        const QStringList back = pathBetween(graph, i.to, i.from);
        EXPECT_TRUE(back.isEmpty()) << i.file.toStdString() << " makes the cycle " << i.from.toStdString() << " -> "
                                    << back.join(QStringLiteral(" -> ")).toStdString();
    }
}

TEST(Layering, OnlyWindowFoldersUseWidgetsOrIncludeWindowCode)
{
    if (!QFileInfo(kSrc).isReadable())
        GTEST_SKIP() << "the source tree is not readable by this user";
    static const QRegularExpression widgets(
        QStringLiteral("^#include <(QtWidgets|QtGui|QWidget|QApplication|QMessageBox|QColor|QFont|QPixmap|QImage)"),
        QRegularExpression::MultilineOption);
    QDirIterator it(kSrc, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString folder = folderOf(path.mid(kSrc.size() + 1));
        if (isWindowFolder(folder))
            continue;
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        EXPECT_FALSE(widgets.match(QString::fromUtf8(file.readAll())).hasMatch()) << path.toStdString();
    }
    for (const Include &i : projectIncludes(kSrc))
        if (!isWindowFolder(i.from)) {
            EXPECT_FALSE(isWindowFolder(i.to))
                << i.file.toStdString() << " includes window code from " << i.to.toStdString();
        }
}

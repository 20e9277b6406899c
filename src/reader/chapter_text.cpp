#include "reader/chapter_text.h"

#include "app/project_store.h"
#include "import/voice_markers.h"

namespace {

struct MarkerRole
{
    QString marker;
    int role; // 0: a pause, which changes no role
};

// A marker as the add pass writes it, with its blanks, goes whole; one
// whose blanks an outside editor trimmed goes alone, the blanks around it
// staying as they were.
const MarkerRole *markerAt(const QString &text, qsizetype i, qsizetype *length)
{
    static const MarkerRole markers[] = {
        {VoiceMarker::narration, 1}, {VoiceMarker::speech, 2}, {VoiceMarker::speech2, 3},
        {VoiceMarker::author, 4},    {VoiceMarker::pause, 0},
    };
    const QStringView rest = QStringView(text).mid(i);
    for (const MarkerRole &m : markers)
        if (rest.startsWith(m.marker)) {
            *length = m.marker.size();
            return &m;
        }
    for (const MarkerRole &m : markers)
        if (rest.startsWith(QStringView(m.marker).trimmed())) {
            *length = QStringView(m.marker).trimmed().size();
            return &m;
        }
    return nullptr;
}

// The block text without its markers, and where each role began.
ChapterText withoutMarkers(const QString &blockText)
{
    ChapterText chapter;
    chapter.text.reserve(blockText.size());
    for (qsizetype i = 0; i < blockText.size();) {
        qsizetype length = 0;
        if (const MarkerRole *m = markerAt(blockText, i, &length)) {
            if (m->role > 0)
                chapter.roles.append({chapter.text.size(), m->role});
            i += length;
        } else {
            chapter.text += blockText.at(i++);
        }
    }
    return chapter;
}

} // namespace

ChapterText chapterText(const QString &blockText)
{
    const ChapterText bare = withoutMarkers(blockText);
    const QString &in = bare.text;
    // shownAt[i]: where character i of the bare text stands in the view.
    QList<qsizetype> shownAt;
    shownAt.reserve(in.size() + 1);
    ChapterText chapter;
    QString &out = chapter.text;
    for (qsizetype i = 0; i < in.size(); ++i) {
        shownAt.append(out.size());
        // The view holds one character per line end; the engine must count
        // the same way. A paragraph that began with a space is indented.
        if (in.at(i) == u'\r' && i + 1 < in.size() && in.at(i + 1) == u'\n') {
            shownAt.append(out.size());
            out += u'\n';
            ++i;
            if (i + 1 < in.size() && in.at(i + 1) == u' ') {
                shownAt.append(out.size());
                out += QStringLiteral("    ");
                ++i;
            }
        } else {
            out += in.at(i) == u'\r' ? QChar(u'\n') : in.at(i);
        }
    }
    shownAt.append(out.size());
    for (const RoleStart &r : bare.roles)
        chapter.roles.append({shownAt.at(r.position), r.role});
    return chapter;
}

QString chapterDisplayText(const QString &blockText)
{
    return chapterText(blockText).text;
}

ChapterText loadChapter(const QString &bookFolder, int n)
{
    return chapterText(readBlockFile(bookFolder, n));
}

QString loadChapterText(const QString &bookFolder, int n)
{
    return loadChapter(bookFolder, n).text;
}

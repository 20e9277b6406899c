#include "mp3/tag_module.h"

#include "common/clean_file_name.h"
#include "common/program_version.h"
#include "mp3/transliterate.h"

#include <QRegularExpression>

namespace {

const int kHighestTrack = 255;

QString blockNumberText(const TagInfo &info)
{
    const QString number = QString::number(info.blockNo);
    const qsizetype width = QString::number(info.blockCount).size();
    return number.size() >= width ? number : QString(width - number.size(), u'0') + number;
}

// Placeholders in their fixed order; values are inserted as they are, so a
// value holding a placeholder text is expanded by the ones that follow.
QString expandPlaceholders(QString text, const TagInfo &info, const QString &duration)
{
    const std::pair<const char16_t *, QString> values[] = {
        {u"%l%", duration},
        {u"%P%", info.projectName},
        {u"%t%", info.blockTitle},
        {u"%N%", QString::number(info.blockCount)},
        {u"%n%", blockNumberText(info)},
        {u"%T%", info.title},
        {u"%S%", info.series},
        {u"%Sn%", info.seriesNo},
        {u"%A%", info.author},
        {u"%D%", info.date},
        {u"%G%", info.genre},
    };
    for (const auto &[placeholder, value] : values)
        text.replace(QString::fromUtf16(placeholder), value, Qt::CaseSensitive);
    return text;
}

QString quoted(const QString &value)
{
    return u'"' + value + u'"';
}

} // namespace

QString expandTagTemplate(const QString &tagTemplate, const TagInfo &info, const QString &duration)
{
    QString text = tagTemplate;
    text.remove(u'"');
    return expandPlaceholders(text, info, duration);
}

QString buildFileName(const QString &nameTemplate, const TagInfo &info, const QString &duration,
                      const QString &dotReplacement, const QString &spaceReplacement, bool translit)
{
    const QString effective = nameTemplate.trimmed().isEmpty() ? QStringLiteral("%n%-%t%") : nameTemplate;
    QString name = cleanFileName(expandPlaceholders(effective, info, duration), dotReplacement, spaceReplacement, true);
    if (translit)
        name = transliterate(name);
    // A title that ends a sentence ("Аннотация.") would give "02-Аннотация..mp3".
    while (name.size() > 1 && (name.endsWith(u'.') || name.endsWith(u' ')))
        name.chop(1);
    return name + QStringLiteral(".mp3");
}

QString dotReplacement(const Settings &settings)
{
    return settings.removeDots ? QStringLiteral(" ") : QStringLiteral(".");
}

QString spaceReplacement(const Settings &settings)
{
    return settings.replaceSpaces ? QStringLiteral("_") : QStringLiteral(" ");
}

QString applyYoOption(const Settings &settings, const QString &text)
{
    if (!settings.yoToYe)
        return text;
    QString result = text;
    result.replace(u'Ё', u'Е');
    result.replace(u'ё', u'е');
    return result;
}

QString bookTitleTag(const Settings &settings, const TagInfo &info, const QString &libraryName)
{
    const QString title = info.title.trimmed().isEmpty() ? libraryName : info.title;
    return applyYoOption(settings, settings.translit ? transliterate(title) : title);
}

QString yearOfDate(const QString &date)
{
    static const QRegularExpression year(QStringLiteral("\\b(\\d{4})\\b"));
    return year.match(date).captured(1);
}

Id3Tags id3TagsFor(const Settings &settings, const TagInfo &info, const QString &libraryName, const QString &duration)
{
    const QString length = duration.isEmpty() ? QStringLiteral("00-00") : duration;
    const bool translit = settings.translit;
    Id3Tags tags;

    QString artist = expandTagTemplate(settings.artistTemplate, info, length);
    if (artist.trimmed().isEmpty())
        artist = translit ? transliterate(libraryName) : libraryName;
    tags.artist = applyYoOption(settings, artist);

    const QString album = expandTagTemplate(settings.albumTemplate, info, length);
    tags.album = album.trimmed().isEmpty() ? bookTitleTag(settings, info, libraryName) : applyYoOption(settings, album);
    tags.year = yearOfDate(info.date);

    QString title = expandTagTemplate(settings.titleTemplate, info, length);
    if (title.trimmed().isEmpty())
        title = translit ? transliterate(info.blockTitle) : info.blockTitle;
    tags.title = applyYoOption(settings, title);

    tags.track = std::min(info.blockNo, kHighestTrack);
    // The comment names the program that made the file and its version.
    const QString maker = QStringLiteral("Lectorium ") + programVersion();
    tags.comment = translit ? maker : maker + QStringLiteral(" - программа для создания аудиокниг");
    tags.genre = QStringLiteral("Speech");
    return tags;
}

QString Id3Tags::switches() const
{
    QString text = QStringLiteral(" --ignore-tag-errors --add-id3v2 --ta ") + quoted(artist);
    if (!album.isEmpty())
        text += QStringLiteral(" --tl ") + quoted(album);
    if (!year.isEmpty())
        text += QStringLiteral(" --ty ") + quoted(year);
    text += QStringLiteral(" --tt ") + quoted(title);
    text += QStringLiteral(" --tn ") + quoted(QString::number(track));
    text += QStringLiteral(" --tc ") + quoted(comment);
    text += QStringLiteral(" --tg ") + quoted(genre) + u' ';
    if (!coverPath.isEmpty())
        text += QStringLiteral("--ti ") + quoted(coverPath) + u' ';
    return text;
}

QStringList Id3Tags::arguments() const
{
    // UTF-16 frames: the encoder's default Latin-1 frames cannot hold
    // Cyrillic.
    QStringList args{QStringLiteral("--ignore-tag-errors"), QStringLiteral("--add-id3v2"),
                     QStringLiteral("--id3v2-utf16"), QStringLiteral("--ta"), artist};
    if (!album.isEmpty())
        args << QStringLiteral("--tl") << album;
    if (!year.isEmpty())
        args << QStringLiteral("--ty") << year;
    // The comment goes as a frame of its own: the encoder's "--tc" writes a
    // UTF-16 comment whose empty description lacks its byte-order mark, and
    // common tag readers drop such a comment.
    args << QStringLiteral("--tt") << title << QStringLiteral("--tn") << QString::number(track)
         << QStringLiteral("--tv") << QStringLiteral("COMM==") + comment << QStringLiteral("--tg") << genre;
    // The encoder writes the picture as the front cover (APIC type 3).
    if (!coverPath.isEmpty())
        args << QStringLiteral("--ti") << coverPath;
    return args;
}

QString id3TagArguments(const Settings &settings, const TagInfo &info, const QString &libraryName,
                        const QString &duration)
{
    return id3TagsFor(settings, info, libraryName, duration).switches();
}

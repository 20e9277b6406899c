#pragma once
// File names and ID3 tags from the templates of the "Имя файла и тэги"
// settings: placeholders ("%n%", "%t%", ...) stand for the book and the block
// being named (TagInfo with its block fields set by the caller).

#include "app/settings.h"
#include "app/tag_info.h"

#include <QString>
#include <QStringList>

// The template with every placeholder replaced, "%l%" by `duration`.
// Double quotes of the template itself are removed; inserted values are not
// touched.
QString expandTagTemplate(const QString &tagTemplate, const TagInfo &info, const QString &duration);

// The cleaned, optionally transliterated file name with ".mp3"; a blank
// template names files "%n%-%t%".
QString buildFileName(const QString &nameTemplate, const TagInfo &info, const QString &duration,
                      const QString &dotReplacement, const QString &spaceReplacement, bool translit);

// The replacements every caller that names files chooses from the settings:
// " " for dots with "Точки", "_" for spaces with "_Пробел".
QString dotReplacement(const Settings &settings);
QString spaceReplacement(const Settings &settings);

// "Ё" -> "Е" and "ё" -> "е" when the "Ё-Е" option is on.
QString applyYoOption(const Settings &settings, const QString &text);

// The book's title as tags name it: the title of its description, else its
// name in the library; transliterated with "Translit", Ё-Е applied.
QString bookTitleTag(const Settings &settings, const TagInfo &info, const QString &libraryName);

// The year of a book's date: its first four-digit number ("1 мая 1928",
// "1928-05-01" -> "1928"); empty when it has none.
QString yearOfDate(const QString &date);

// The ID3 tags of one block. `switches()` is the encoder command-line text as
// it is shown to the user; `arguments()` is the same as an argument list for
// the real run (each value one argument, so no quote or dash in a value can
// start another option).
struct Id3Tags
{
    QString artist;
    // The "Album" template, else the book's title: a player groups the
    // blocks by it. Empty (no tag) only for a book without any name.
    QString album;
    QString year; // empty when the book's date names none
    QString title;
    int track = 0;
    QString comment;
    QString genre;
    // The front-cover picture to embed; empty for none.
    QString coverPath;

    QString switches() const;
    QStringList arguments() const;
};

// Tags for the block described by `info` (block fields already set).
// `libraryName` is the book's name in the library, the artist when the
// "Artist" template gives nothing.
Id3Tags id3TagsFor(const Settings &settings, const TagInfo &info, const QString &libraryName, const QString &duration);

// The tag switches of the encoder command line: they begin and end with a
// space.
QString id3TagArguments(const Settings &settings, const TagInfo &info, const QString &libraryName,
                        const QString &duration);

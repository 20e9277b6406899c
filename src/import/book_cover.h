#pragma once
// A book's cover picture as it comes with the book (a FictionBook
// <coverpage>, an EPUB cover image). Only JPEG and PNG pictures are kept:
// they are what MP3 tags and players take. A picture whose data is cut off
// or is no picture at all is not a cover.

#include <QByteArray>
#include <QString>

#include <optional>

struct BookCover
{
    QByteArray image;
    QString extension; // "jpg" or "png"

    bool operator==(const BookCover &) const = default;
};

// The cover when `bytes` are a whole JPEG or PNG picture.
std::optional<BookCover> coverFromImage(const QByteArray &bytes);

// The picture a FictionBook's <coverpage> names, decoded from its <binary>
// (not yet checked); nothing when the book names none.
std::optional<QByteArray> fb2CoverImage(const QString &fileText);

#pragma once

#include <QString>
#include <QStringList>

// The description of the book as the editor's information fields hold it,
// in the order of those fields.
struct BookInformation
{
    QString title;      // "Название:"
    QString series;     // "Цикл:"
    QString seriesNo;   // series number
    QString authors;    // "Автор(ы):", one author per line
    QString genre;      // "Жанр:"
    QString annotation; // "Аннотация:" (not stored in the project)
    QString date;       // "Дата:"

    bool operator==(const BookInformation &) const = default;
    QStringList fields() const { return {title, series, seriesNo, authors, genre, annotation, date}; }
};

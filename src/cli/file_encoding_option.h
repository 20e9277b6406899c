#pragma once
// "--encoding NAME" of the commands that read a book file (text, import,
// convert): the book is read in that encoding instead of the judged one.

#include "import/book_file_encoding.h"

#include <QStringList>

#include <optional>

// Takes "--encoding NAME" out of `args`: the encoding named, Automatic when
// the option is absent; nothing, after saying why on standard error, for an
// unknown name or a missing one.
std::optional<BookFileEncoding> takeFileEncodingOption(QStringList &args);

// The usage lines' words on it: "--encoding: кодировка файла книги (auto, ...)".
QString fileEncodingOptionUsage();

// Where a text's letters looked Russian in no encoding: how to name one.
QString fileEncodingOptionHint();

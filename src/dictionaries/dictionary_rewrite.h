#pragma once
// A text rewritten with the dictionaries, or why it could not be.

#include <QString>

struct DictionaryRewrite
{
    QString text;
    // Empty when the rewrite went well; otherwise the message for the user
    // (the dictionary and the entry that made the text grow without end),
    // and `text` is empty.
    QString failure;
    bool ok() const { return failure.isEmpty(); }
};

#include "stress/number_words.h"

#include "stress/number_reader.h"

#include <algorithm>

QString numbersInRussianWords(const QString &text)
{
    QList<NumberRewrite> rewrites;
    for (const TextStretch &line : linesWithNumbers(text))
        NumberReader(text, line, rewrites).read();
    if (rewrites.isEmpty())
        return text;
    std::sort(rewrites.begin(), rewrites.end(),
              [](const NumberRewrite &a, const NumberRewrite &b) { return a.start < b.start; });
    QString out;
    out.reserve(text.size() + rewrites.size() * 16);
    qsizetype copied = 0;
    for (const NumberRewrite &r : std::as_const(rewrites)) {
        if (r.start < copied)
            continue; // never two rewrites of one stretch
        out += QStringView(text).mid(copied, r.start - copied);
        out += r.text;
        copied = r.end;
    }
    out += QStringView(text).mid(copied);
    return out;
}

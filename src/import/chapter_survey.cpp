#include "import/chapter_survey.h"

namespace {

// Characters of text a numbered chapter holds at least; endnotes rarely
// reach it, and never two in a row.
constexpr qsizetype kNumberedChapterChars = 800;

} // namespace

bool isNumberOnly(const QString &line)
{
    const QString l = line.trimmed();
    const qsizetype digits = l.endsWith(u'.') ? l.size() - 1 : l.size();
    if (digits <= 0)
        return false;
    for (qsizetype i = 0; i < digits; ++i)
        if (l.at(i) < u'0' || l.at(i) > u'9')
            return false;
    return true;
}

namespace {

// Per number line, by its value: true when it counts on from the chapter
// number before it (one may be missing), or starts a count at 1 or 2 (a
// book or a part that numbers its chapters). A page number left in the
// text ("393" between chapters 12 and 13) does neither and is skipped.
QList<bool> countsOn(const QList<int> &values)
{
    constexpr int kFirstNumbers = 2;
    constexpr int kLargestStep = 2;
    QList<bool> fits;
    int last = -1;
    for (const int value : values) {
        const bool next =
            (last >= 0 && value > last && value <= last + kLargestStep) || (value >= 0 && value <= kFirstNumbers);
        fits.append(next);
        if (next)
            last = value;
    }
    return fits;
}

int numberValue(const QString &line)
{
    QString digits = line.trimmed();
    if (digits.endsWith(u'.'))
        digits.chop(1);
    bool ok = false;
    const int value = digits.toInt(&ok);
    return ok ? value : -1;
}

} // namespace

QList<bool> endnoteNumbers(const QStringList &prepared)
{
    QList<qsizetype> numberLines;
    QList<qsizetype> textBefore; // characters since the previous number-only line
    qsizetype characters = 0;
    for (qsizetype i = 0; i < prepared.size(); ++i) {
        if (isNumberOnly(prepared[i])) {
            numberLines.append(i);
            textBefore.append(characters);
            characters = 0;
        } else {
            characters += prepared[i].size();
        }
    }
    QList<int> values;
    for (const qsizetype line : numberLines)
        values.append(numberValue(prepared[line]));
    const QList<bool> inCount = countsOn(values);
    QList<bool> beforeChapter; // the number line stands before a chapter's worth of text
    for (qsizetype k = 0; k < numberLines.size(); ++k)
        beforeChapter.append((k + 1 < numberLines.size() ? textBefore[k + 1] : characters) >= kNumberedChapterChars);
    QList<bool> notes(prepared.size(), false);
    for (qsizetype k = 0; k < numberLines.size(); ++k) {
        const qsizetype neighbour = k > 0 ? k - 1 : k + 1;
        const bool chapter = beforeChapter[k] && (neighbour >= numberLines.size() || beforeChapter[neighbour]);
        notes[numberLines[k]] = !chapter || !inCount[k];
    }
    return notes;
}

namespace {

bool hasWords(const QString &line)
{
    for (const QChar c : line)
        if (c.isLetterOrNumber())
            return true;
    return false;
}

// Headings of a table of contents come in runs of at least this many with
// no words between them.
constexpr qsizetype kContentsRun = 4;

// The end of a run of contents that begins the book: headings back from the
// last, each by an identifier that none after it used.
qsizetype bookStartInRun(const QList<qsizetype> &run, const QList<int> &identifier)
{
    QList<int> used;
    qsizetype start = run.size();
    while (start > 1 && !used.contains(identifier[run[start - 1]])) {
        used.append(identifier[run[start - 1]]);
        --start;
    }
    return start;
}

} // namespace

void vetoContents(const QList<int> &identifier, const QStringList &prepared, QList<bool> &veto)
{
    QList<qsizetype> run;
    auto closeRun = [&] {
        if (run.size() >= kContentsRun) {
            const qsizetype bookStart = bookStartInRun(run, identifier);
            for (qsizetype k = 1; k < bookStart; ++k)
                veto[run[k]] = true;
        }
        run.clear();
    };
    for (qsizetype i = 0; i < prepared.size(); ++i) {
        if (identifier[i] >= 0)
            run.append(i);
        else if (identifier[i] == kEmptyLinesHeading || hasWords(prepared[i]))
            closeRun();
    }
    closeRun();
}

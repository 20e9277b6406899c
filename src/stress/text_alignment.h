#pragma once
// Which stretches of a rewritten text stand in place of which stretches of
// the text it was made from. The pronunciation dictionaries and the stress
// pass change a word here and there and leave the rest as it was; lining the
// two texts up word by word tells the stress pass which words the user's
// dictionaries changed (those are left as the user wrote them), and tells
// the reader where in the book's text a word the voice is speaking stands.
//
// The texts are cut into words (letters, digits, stress marks, hyphens
// inside a word) and single other characters, and matched in order; where
// they differ, the nearest place where both have the same piece again ends
// the changed stretch, so a changed word is a stretch of its own. A change
// longer than the look-ahead makes the rest of the text one changed stretch:
// that only costs stresses, never a word the user wrote.

#include <QList>
#include <QString>
#include <QStringView>

struct ChangedStretch
{
    qsizetype start = 0; // in the rewritten text
    qsizetype end = 0;
    qsizetype originalStart = 0;
    qsizetype originalEnd = 0;
};

class TextAlignment
{
public:
    TextAlignment(QStringView original, QStringView rewritten);

    // In the order they stand; empty when the texts are the same.
    const QList<ChangedStretch> &changedStretches() const { return m_changed; }

    // Where a position of the rewritten text stands in the original: the
    // same character outside the changes, and inside a change the same
    // distance from its start, at most to its end.
    qsizetype originalPosition(qsizetype rewrittenPosition) const;
    // The other way round: where a position of the original stands in the
    // rewritten text.
    qsizetype rewrittenPosition(qsizetype originalPosition) const;

private:
    QList<ChangedStretch> m_changed;
};

#include "recording/speech/stress_phoneme_input.h"

#include "recording/speech/stress_marks.h"

namespace {

class PieceWriter
{
public:
    explicit PieceWriter(const SpeechPiece &from) : m_from(from) { }

    // Copies the text from where the last copy ended up to `end`. With
    // phoneme input on, a "[[" of the text itself would open phoneme input,
    // so its brackets become round ones.
    void copyTo(int end)
    {
        for (; m_next < end; ++m_next) {
            const QChar c = m_from.text.at(m_next);
            m_text.append(c == u'[' ? QChar(u'(') : c == u']' ? QChar(u')') : c);
            m_sourcePos.append(m_from.sourcePos.at(m_next));
        }
    }

    // The synthesiser reports a word of phoneme input at its first phoneme,
    // one character long: that character stands for the word's start and
    // everything after it for the word's end.
    void replaceWord(const StressedWord &word, const QString &phonemes)
    {
        copyTo(word.start);
        const QString input = QStringLiteral("[[") + phonemes + QStringLiteral("]]");
        const int start = m_from.sourcePos.at(word.start);
        const int end = m_from.sourcePos.at(word.start + word.length);
        for (int i = 0; i < input.size(); ++i) {
            m_text.append(input.at(i));
            m_sourcePos.append(i <= 2 ? start : end);
        }
        m_next = word.start + word.length;
    }

    void finish(SpeechPiece &piece)
    {
        copyTo(int(m_from.text.size()));
        m_sourcePos.append(m_from.sourcePos.last());
        piece.text = m_text;
        piece.sourcePos = m_sourcePos;
    }

private:
    const SpeechPiece &m_from;
    int m_next = 0;
    QString m_text;
    QList<int> m_sourcePos;
};

} // namespace

bool writeStressAsPhonemes(SpeechPiece &piece, const StressSpeller &spell)
{
    const QList<StressedWord> words = takeStressMarks(piece);
    const SpeechPiece unmarked = piece;
    PieceWriter writer(unmarked);
    bool written = false;
    for (const StressedWord &word : words) {
        const QString phonemes = spell(unmarked.text.mid(word.start, word.length), word.stressedVowels);
        if (phonemes.isEmpty())
            continue;
        writer.replaceWord(word, phonemes);
        written = true;
    }
    if (written)
        writer.finish(piece);
    return written;
}

#include "recording/speech/cube_markup.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr int kNormalPercent = 100;

class CubePieces
{
public:
    void addText(const QString &markup, int from, int to)
    {
        for (int i = from; i < to; ++i) {
            if (!m_open) {
                m_current = SpeechPiece{};
                m_current.rate = m_rate;
                m_current.pitch = m_pitch;
                m_current.voice = m_voice;
                m_open = true;
            }
            m_current.text.append(markup.at(i));
            m_current.sourcePos.append(i);
        }
        m_end = to;
    }
    void setRate(int rate) { changeTo(rate, m_pitch, m_voice); }
    void setPitch(int pitch) { changeTo(m_rate, pitch, m_voice); }
    void setVoice(const QString &voice) { changeTo(m_rate, m_pitch, voice); }
    void addSilence(int msec)
    {
        close();
        if (msec <= 0)
            return;
        SpeechPiece silence;
        silence.kind = SpeechPiece::Silence;
        silence.msec = msec;
        m_pieces.append(silence);
    }
    QList<SpeechPiece> finish()
    {
        close();
        return m_pieces;
    }

private:
    void changeTo(int rate, int pitch, const QString &voice)
    {
        if (rate == m_rate && pitch == m_pitch && voice == m_voice)
            return;
        close();
        m_rate = rate;
        m_pitch = pitch;
        m_voice = voice;
    }
    void close()
    {
        if (!m_open)
            return;
        m_open = false;
        m_current.sourcePos.append(m_end);
        if (hasSpeakableCharacter(m_current.text))
            m_pieces.append(m_current);
    }

    QList<SpeechPiece> m_pieces;
    SpeechPiece m_current;
    bool m_open = false;
    int m_end = 0;
    int m_rate = kNormalPercent;
    int m_pitch = kNormalPercent;
    QString m_voice;
};

} // namespace

bool hasSpeakableCharacter(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLetterOrNumber(); });
}

QList<SpeechPiece> parseCubeMarkup(const QString &text)
{
    static const QRegularExpression tag(QStringLiteral("\\\\([A-Za-z]+)\\{([^{}\\\\]*)\\}"));
    CubePieces pieces;
    int at = 0;
    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        pieces.addText(text, at, int(match.capturedStart()));
        at = int(match.capturedEnd());
        const QString name = match.captured(1).toLower();
        const QString value = match.captured(2).trimmed();
        if (name == u"voice") {
            pieces.setVoice(value);
            continue;
        }
        // A voice table never filled in has 0 here: the voice's normal.
        const int percent = value.toInt() > 0 ? value.toInt() : kNormalPercent;
        if (name == u"absspeed")
            pieces.setRate(percent);
        else if (name == u"abspitch")
            pieces.setPitch(percent);
        else if (name == u"pause")
            pieces.addSilence(QString(value).remove(QStringLiteral("ms"), Qt::CaseInsensitive).trimmed().toInt());
    }
    pieces.addText(text, at, int(text.size()));
    return pieces.finish();
}

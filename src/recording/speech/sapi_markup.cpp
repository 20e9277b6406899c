#include "recording/speech/sapi_markup.h"

#include <QRegularExpression>

#include <optional>

#include <algorithm>

namespace {

struct Prosody
{
    int rate = 0;
    int pitch = 0;
    QString voice;
};

class PieceBuilder
{
public:
    explicit PieceBuilder(QList<SpeechPiece> &out) : m_out(out) { }

    void addChar(QChar c, int source, const Prosody &prosody)
    {
        if (!m_open) {
            m_current = SpeechPiece{};
            m_current.rate = prosody.rate;
            m_current.pitch = prosody.pitch;
            m_current.voice = prosody.voice;
            m_open = true;
        }
        m_current.text.append(c);
        m_current.sourcePos.append(source);
    }
    // Ends the text piece at `source` (the position after its last character).
    void close(int source)
    {
        if (!m_open)
            return;
        m_open = false;
        m_current.sourcePos.append(source);
        if (!m_current.text.trimmed().isEmpty())
            m_out.append(m_current);
    }
    void addSilence(int msec)
    {
        SpeechPiece silence;
        silence.kind = SpeechPiece::Silence;
        silence.msec = std::max(0, msec);
        m_out.append(silence);
    }

private:
    QList<SpeechPiece> &m_out;
    SpeechPiece m_current;
    bool m_open = false;
};

std::optional<int> attribute(const QString &tag, const QString &name)
{
    const QRegularExpression re(QStringLiteral("\\b%1\\s*=\\s*[\"']?\\s*([+-]?\\d+)").arg(name),
                                QRegularExpression::CaseInsensitiveOption);
    const auto match = re.match(tag);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt();
}

QString tagName(const QString &tag)
{
    static const QRegularExpression re(QStringLiteral("^/?\\s*([A-Za-z_][\\w.-]*)"));
    return re.match(tag).captured(1).toLower();
}

// The character an entity stands for, or nothing when `entity` (without '&'
// and ';') is none we know.
std::optional<char32_t> entityChar(const QString &entity)
{
    if (entity == u"lt")
        return U'<';
    if (entity == u"gt")
        return U'>';
    if (entity == u"amp")
        return U'&';
    if (entity == u"quot")
        return U'"';
    if (entity == u"apos")
        return U'\'';
    if (entity.startsWith(u'#')) {
        bool ok = false;
        const uint code = entity.startsWith(u"#x", Qt::CaseInsensitive) ? entity.mid(2).toUInt(&ok, 16)
                                                                        : entity.mid(1).toUInt(&ok, 10);
        if (ok && code > 0 && code <= 0x10FFFF)
            return char32_t(code);
    }
    return std::nullopt;
}

// The text of an attribute in double or single quotes, entities decoded.
std::optional<QString> textAttribute(const QString &tag, const QString &name)
{
    const QRegularExpression re(QStringLiteral("\\b%1\\s*=\\s*(\"([^\"]*)\"|'([^']*)')").arg(name),
                                QRegularExpression::CaseInsensitiveOption);
    const auto match = re.match(tag);
    if (!match.hasMatch())
        return std::nullopt;
    const QString raw = match.captured(2).isNull() ? match.captured(3) : match.captured(2);
    QString text;
    for (int i = 0; i < raw.size(); ++i) {
        const int semi = raw.at(i) == u'&' ? int(raw.indexOf(u';', i + 1)) : -1;
        if (semi > i) {
            if (auto decoded = entityChar(raw.mid(i + 1, semi - i - 1))) {
                text += QString::fromUcs4(&*decoded, 1);
                i = semi;
                continue;
            }
        }
        text += raw.at(i);
    }
    return text;
}

// The voice name of <voice required="Name=...;Gender=..."/>: the other
// attributes of the requirement are not ours to meet.
QString requiredVoiceName(const QString &tag)
{
    const QString required = textAttribute(tag, QStringLiteral("required")).value_or(QString());
    for (const QString &part : required.split(u';')) {
        const int equals = int(part.indexOf(u'='));
        if (equals > 0 && part.left(equals).trimmed().compare(QLatin1String("name"), Qt::CaseInsensitive) == 0)
            return part.mid(equals + 1).trimmed();
    }
    return QString();
}

bool isStateTag(const QString &name)
{
    return name == u"rate" || name == u"pitch" || name == u"voice";
}

int clampLevel(int value)
{
    return std::clamp(value, -10, 10);
}

// The prosody inside a rate or pitch tag; a container element restores
// the previous one at its end tag.
Prosody applyTag(const QString &name, const QString &tag, Prosody prosody)
{
    if (name == u"rate") {
        if (auto abs = attribute(tag, QStringLiteral("absspeed")))
            prosody.rate = clampLevel(*abs);
        else if (auto rel = attribute(tag, QStringLiteral("speed")))
            prosody.rate = clampLevel(prosody.rate + *rel);
    } else if (name == u"pitch") {
        if (auto abs = attribute(tag, QStringLiteral("absmiddle")))
            prosody.pitch = clampLevel(*abs);
        else if (auto rel = attribute(tag, QStringLiteral("middle")))
            prosody.pitch = clampLevel(prosody.pitch + *rel);
    } else if (name == u"voice") {
        prosody.voice = requiredVoiceName(tag);
    }
    return prosody;
}

} // namespace

QList<SpeechPiece> parseSapiXml(const QString &xml)
{
    QList<SpeechPiece> pieces;
    PieceBuilder builder(pieces);
    QList<Prosody> stack{Prosody{}};
    int i = 0;
    while (i < xml.size()) {
        const QChar c = xml.at(i);
        if (c == u'<') {
            if (xml.mid(i, 4) == u"<!--") {
                const int end = xml.indexOf(QStringLiteral("-->"), i + 4);
                builder.close(i);
                i = end < 0 ? xml.size() : end + 3;
                continue;
            }
            const int end = xml.indexOf(u'>', i + 1);
            const QString inner = end < 0 ? QString() : xml.mid(i + 1, end - i - 1);
            const QString name = tagName(inner);
            if (end < 0 || name.isEmpty()) {
                builder.addChar(c, i, stack.last());
                ++i;
                continue;
            }
            builder.close(i);
            const bool closing = inner.startsWith(u'/');
            const bool empty = inner.endsWith(u'/');
            if (name == u"silence" && !closing) {
                builder.addSilence(attribute(inner, QStringLiteral("msec")).value_or(0));
            } else if (closing) {
                if (isStateTag(name) && stack.size() > 1)
                    stack.removeLast();
            } else if (empty) {
                stack.last() = applyTag(name, inner, stack.last());
            } else if (isStateTag(name)) {
                stack.append(applyTag(name, inner, stack.last()));
            }
            i = end + 1;
            continue;
        }
        if (c == u'&') {
            const int semi = xml.indexOf(u';', i + 1);
            if (semi > i && semi - i <= 10) {
                if (auto decoded = entityChar(xml.mid(i + 1, semi - i - 1))) {
                    for (QChar unit : QString::fromUcs4(&*decoded, 1))
                        builder.addChar(unit, i, stack.last());
                    i = semi + 1;
                    continue;
                }
            }
        }
        builder.addChar(c, i, stack.last());
        ++i;
    }
    builder.close(int(xml.size()));
    return pieces;
}

QList<SpeechPiece> plainTextPieces(const QString &text)
{
    QList<SpeechPiece> pieces;
    if (text.trimmed().isEmpty())
        return pieces;
    SpeechPiece piece;
    piece.text = text;
    piece.sourcePos.reserve(text.size() + 1);
    for (int i = 0; i <= text.size(); ++i)
        piece.sourcePos.append(i);
    pieces.append(piece);
    return pieces;
}

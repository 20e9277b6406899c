// stress_accuracy: how often the stress pass puts a word's stress where a
// stress-annotated text marks it, against espeak-ng alone. Not a timing, so
// `make bench` leaves it out.
//
// Usage: stress_accuracy [--lexicon FILE] [--yo-as-e] [--errors] TEXT...
//
// Each TEXT is UTF-8 with a combining acute (U+0301) after the stressed
// vowel of its words; "ё" without a mark is the stressed vowel. Counted are
// the words (each part of a hyphenated word) of two or more syllables with
// one such stress. The text without the marks is given to the pass; a word
// it marks counts as stressed on the marked vowel, a word it writes with "ё"
// on that "ё", any other word as espeak-ng's Russian voice stresses it on
// its own (the phonemes of the word alone, as the voice layer asks for
// them). --yo-as-e writes every "ё" of the input as "е" first, as most
// books do, so the pass must find the "ё" itself. --errors lists the words
// the pass got wrong.

#include "stress/russian_letters.h"
#include "stress/stress_lexicon.h"
#include "stress/stress_pass.h"

#include <espeak-ng/speak_lib.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>

#include <cstdio>

namespace {

constexpr QChar kAcute(0x0301);
constexpr QChar kGrave(0x0300);

struct Part
{
    QString letters; // as written (ё kept), no marks
    int marked = -1; // the vowel followed by a mark ("+" or an acute), -1 none
    int markCount = 0;
};

int vowelIndexOfYo(const QString &letters)
{
    int vowel = -1;
    for (const QChar c : letters)
        if (isRussianVowelLetter(c)) {
            ++vowel;
            if (isYo(c))
                return vowel;
        }
    return -1;
}

// The runs of Russian letters of the text, each with the vowel a mark
// follows; `mark` is the mark the text uses.
QList<Part> partsOf(const QString &text, QChar mark)
{
    QList<Part> parts;
    Part part;
    int vowels = -1;
    auto flush = [&]() {
        if (!part.letters.isEmpty())
            parts.append(part);
        part = Part();
        vowels = -1;
    };
    for (const QChar c : text) {
        if (isRussianLetter(c)) {
            part.letters += c;
            if (isRussianVowelLetter(c))
                ++vowels;
        } else if (c == mark && !part.letters.isEmpty() && isRussianVowelLetter(part.letters.back())) {
            part.marked = vowels;
            ++part.markCount;
        } else if (c != kGrave) {
            flush();
        }
    }
    flush();
    return parts;
}

// espeak-ng's stressed vowel of a word on its own: the syllable its phonemes
// mark with "'", or -1.
class EspeakStress
{
public:
    EspeakStress()
    {
        espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 0, nullptr, 0);
        espeak_SetVoiceByName("ru");
    }
    int of(const QString &word)
    {
        const QString lower = word.toLower();
        auto it = m_cache.find(lower);
        if (it != m_cache.end())
            return *it;
        const QByteArray utf8 = lower.toUtf8();
        const void *text = utf8.constData();
        const char *phonemes = espeak_TextToPhonemes(&text, espeakCHARS_UTF8, '|' << 8);
        const QStringList mnemonics = QString::fromUtf8(phonemes ? phonemes : "").trimmed().split(u'|');
        static const QRegularExpression vowel(QStringLiteral("^[',%=]*j?[aeiouyAEIOUVY@8][#\"23]?$"));
        int syllable = -1, stressed = -1;
        QString pendingStress;
        for (const QString &m : mnemonics) {
            if (m == u"'" || m == u"," || m == u"%" || m == u"=") {
                pendingStress += m;
                continue;
            }
            if (vowel.match(m).hasMatch()) {
                ++syllable;
                if ((pendingStress + m).contains(u'\'') && stressed < 0)
                    stressed = syllable;
            }
            pendingStress.clear();
        }
        m_cache.insert(lower, stressed);
        return stressed;
    }

private:
    QHash<QString, int> m_cache;
};

struct Tally
{
    qint64 words = 0, espeakRight = 0, passRight = 0, passDecided = 0, passDecidedRight = 0;
    qint64 yoWords = 0, yoWritten = 0;
    void add(const Tally &o)
    {
        words += o.words, espeakRight += o.espeakRight, passRight += o.passRight, passDecided += o.passDecided;
        passDecidedRight += o.passDecidedRight, yoWords += o.yoWords, yoWritten += o.yoWritten;
    }
};

double percent(qint64 part, qint64 whole)
{
    return whole ? 100.0 * double(part) / double(whole) : 0.0;
}

void print(const char *name, const Tally &t)
{
    std::printf("%-28s words %6lld  espeak-ng %6.2f %%  pass %6.2f %%  (the pass decided %5.1f %% of them, "
                "%6.2f %% right; ё written %lld of %lld)\n",
                name, static_cast<long long>(t.words), percent(t.espeakRight, t.words), percent(t.passRight, t.words),
                percent(t.passDecided, t.words), percent(t.passDecidedRight, t.passDecided),
                static_cast<long long>(t.yoWritten), static_cast<long long>(t.yoWords));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString lexiconFile = QStringLiteral(LECTORIUM_SOURCE_DIR "/data/Stress/ru-stress.lex");
    bool yoAsE = false, listErrors = false;
    QStringList files;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == u"--lexicon" && !args.isEmpty())
            lexiconFile = args.takeFirst();
        else if (arg == u"--yo-as-e")
            yoAsE = true;
        else if (arg == u"--errors")
            listErrors = true;
        else
            files.append(arg);
    }
    if (files.isEmpty()) {
        std::fprintf(stderr, "Usage: stress_accuracy [--lexicon FILE] [--yo-as-e] [--errors] TEXT...\n");
        return 2;
    }
    StressLexicon lexicon;
    QString error;
    if (!lexicon.load(lexiconFile, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const StressPass pass(lexicon);
    EspeakStress espeak;
    Tally all;
    for (const QString &name : files) {
        QFile file(name);
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
            return 1;
        }
        const QString annotated = QString::fromUtf8(file.readAll()).normalized(QString::NormalizationForm_C);
        const QList<Part> gold = partsOf(QString(annotated).replace(kGrave, QString()), kAcute);
        QString plain = QString(annotated).remove(kAcute).remove(kGrave);
        if (yoAsE)
            plain.replace(u'ё', u'е').replace(u'Ё', u'Е');
        const QList<Part> input = partsOf(plain, kAcute);
        const QList<Part> output = partsOf(pass.apply(plain), u'+');
        if (gold.size() != output.size() || input.size() != gold.size()) {
            std::fprintf(stderr, "%s: the words do not line up (%lld, %lld, %lld)\n", qPrintable(name),
                         static_cast<long long>(gold.size()), static_cast<long long>(input.size()),
                         static_cast<long long>(output.size()));
            return 1;
        }
        Tally t;
        for (qsizetype i = 0; i < gold.size(); ++i) {
            const Part &g = gold.at(i);
            if (russianVowelCount(g.letters) < 2 || g.markCount > 1)
                continue;
            const int stressed = g.markCount == 1 ? g.marked : vowelIndexOfYo(g.letters);
            if (stressed < 0)
                continue;
            ++t.words;
            const int byEspeak = espeak.of(input.at(i).letters);
            t.espeakRight += byEspeak == stressed;
            const Part &o = output.at(i);
            const int yo = vowelIndexOfYo(o.letters);
            const bool decided = o.marked >= 0 || (yo >= 0 && vowelIndexOfYo(input.at(i).letters) < 0);
            const int byPass = o.marked >= 0 ? o.marked : yo >= 0 ? yo : espeak.of(o.letters);
            t.passRight += byPass == stressed;
            t.passDecided += decided;
            t.passDecidedRight += decided && byPass == stressed;
            if (vowelIndexOfYo(g.letters) >= 0) {
                ++t.yoWords;
                t.yoWritten += yo >= 0;
            }
            if (listErrors && byPass != stressed)
                std::printf("  %s: marked %d, pass %d%s, espeak-ng %d\n", qPrintable(g.letters), stressed, byPass,
                            decided ? "" : " (voice)", byEspeak);
        }
        print(qPrintable(QFileInfo(name).fileName()), t);
        all.add(t);
    }
    if (files.size() > 1)
        print("all", all);
    return 0;
}

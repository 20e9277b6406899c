#include "stress/stress_lexicon.h"

#include "stress/russian_letters.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cstring>

namespace {

constexpr char kMagic[8] = {'L', 'E', 'C', 'S', 'T', 'R', 'S', '1'};
constexpr qint64 kHeaderSize = 8 + 4 * 4;
constexpr char16_t kSeparator = 0x0009;
constexpr char16_t kStressBase = 0xF000;
constexpr char16_t kYoBase = 0xF100;
constexpr char16_t kReadingsBase = 0xF200;
constexpr int kMaxVowels = 32; // what a bit mask of vowels holds
// A stressing is a stress symbol and at most a few "ё" symbols; the bound
// keeps a damaged file with a cycle from walking for ever.
constexpr int kMaxStressingLength = 8;
constexpr int kMaxStressings = 16;

constexpr quint32 kSymbolMask = 0x7f;
constexpr quint32 kLastBit = 0x80;
constexpr quint32 kFinalBit = 0x100;
constexpr int kTargetShift = 9;

quint32 readUint32(const uchar *at)
{
    return quint32(at[0]) | quint32(at[1]) << 8 | quint32(at[2]) << 16 | quint32(at[3]) << 24;
}

} // namespace

StressLexicon::StressLexicon()
{
    m_letterSymbol.fill(-1);
}

StressLexicon::~StressLexicon() = default;

QStringList StressLexicon::candidateFiles(const QString &programFolder)
{
    const QString name = QStringLiteral("Stress/ru-stress.lex");
    QStringList files{programFolder + u'/' + name};
    if (QCoreApplication::instance()) {
        const QString exeDir = QCoreApplication::applicationDirPath();
        files << exeDir + u'/' + name << QDir::cleanPath(exeDir + QStringLiteral("/../share/lectorium/") + name);
    }
    files.removeDuplicates();
    return files;
}

bool StressLexicon::loadFromProgramFolder(const QString &programFolder, QString *error)
{
    const QStringList files = candidateFiles(programFolder);
    for (const QString &file : files)
        if (QFileInfo::exists(file))
            return load(file, error);
    if (error)
        *error = QStringLiteral("Словарь ударений не найден (искали: %1)").arg(files.join(QStringLiteral(", ")));
    return false;
}

bool StressLexicon::load(const QString &path, QString *error)
{
    m_transitions = nullptr;
    m_copy.clear();
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("Не удалось открыть словарь ударений \"%1\": %2").arg(path, file->errorString());
        return false;
    }
    qint64 size = file->size();
    const uchar *data = size > 0 ? file->map(0, size) : nullptr;
    if (!data) {
        m_copy = file->readAll();
        data = reinterpret_cast<const uchar *>(m_copy.constData());
        size = m_copy.size();
    }
    if (!adopt(data, size, error)) {
        if (error)
            *error = QStringLiteral("Файл \"%1\" не является словарём ударений: %2").arg(path, *error);
        m_copy.clear();
        return false;
    }
    m_file = std::move(file);
    m_fileName = path;
    return true;
}

bool StressLexicon::adopt(const uchar *data, qint64 size, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (size < kHeaderSize || std::memcmp(data, kMagic, sizeof kMagic) != 0)
        return fail(QStringLiteral("нет заголовка"));
    const quint32 symbolCount = readUint32(data + 8);
    const quint32 transitionCount = readUint32(data + 12);
    const quint32 root = readUint32(data + 16);
    const qint64 symbolBytes = (qint64(symbolCount) * 2 + 3) / 4 * 4;
    if (symbolCount == 0 || symbolCount > kSymbolMask + 1 || transitionCount == 0
        || size != kHeaderSize + symbolBytes + qint64(transitionCount) * 4 || root >= transitionCount)
        return fail(QStringLiteral("неверные размеры"));
    // The transitions must be 4-byte aligned to be read in place.
    const uchar *transitions = data + kHeaderSize + symbolBytes;
    if (reinterpret_cast<quintptr>(transitions) % alignof(quint32) != 0) {
        m_copy = QByteArray(reinterpret_cast<const char *>(data), size);
        data = reinterpret_cast<const uchar *>(m_copy.constData());
        transitions = data + kHeaderSize + symbolBytes;
    }

    QList<char16_t> symbols;
    std::array<int, 32> letterSymbol;
    letterSymbol.fill(-1);
    int hyphen = -1;
    int separator = -1;
    for (quint32 i = 0; i < symbolCount; ++i) {
        const char16_t code = char16_t(data[kHeaderSize + 2 * i] | data[kHeaderSize + 2 * i + 1] << 8);
        symbols.append(code);
        if (code >= 0x0430 && code <= 0x044F)
            letterSymbol[code - 0x0430] = int(i);
        else if (code == u'-')
            hyphen = int(i);
        else if (code == kSeparator)
            separator = int(i);
    }
    if (separator < 0)
        return fail(QStringLiteral("нет разделителя"));

    const auto *words = reinterpret_cast<const quint32 *>(transitions);
    for (quint32 i = 1; i < transitionCount; ++i) {
        const quint32 word = qFromLittleEndian(words[i]);
        if ((word & kSymbolMask) >= symbolCount || (word >> kTargetShift) >= transitionCount)
            return fail(QStringLiteral("переход %1 за пределами файла").arg(i));
    }
    if (transitionCount > 1 && !(qFromLittleEndian(words[transitionCount - 1]) & kLastBit))
        return fail(QStringLiteral("последнее состояние не закончено"));

    m_transitions = words;
    m_transitionCount = transitionCount;
    m_root = root;
    m_symbols = symbols;
    m_letterSymbol = letterSymbol;
    m_hyphenSymbol = hyphen;
    m_separatorSymbol = separator;
    return true;
}

int StressLexicon::symbolOf(QChar c) const
{
    const QChar lower = foldedRussianLetter(c);
    if (lower == u'-')
        return m_hyphenSymbol;
    const char16_t code = lower.unicode();
    if (code >= 0x0430 && code <= 0x044F)
        return m_letterSymbol[code - 0x0430];
    return -1;
}

QList<Stressing> StressLexicon::lookup(QStringView word) const
{
    if (!isLoaded() || word.isEmpty())
        return {};
    quint32 state = m_root;
    int vowelCount = 0;
    quint32 writtenYo = 0;
    auto step = [this, &state](int symbol) {
        if (symbol < 0 || state == 0)
            return false;
        for (quint32 i = state; i < m_transitionCount; ++i) {
            const quint32 transition = qFromLittleEndian(m_transitions[i]);
            if (int(transition & kSymbolMask) == symbol) {
                state = transition >> kTargetShift;
                return true;
            }
            if (transition & kLastBit)
                break;
        }
        return false;
    };
    for (const QChar c : word) {
        if (isRussianVowelLetter(c)) {
            if (isYo(c) && vowelCount < kMaxVowels)
                writtenYo |= 1u << vowelCount;
            ++vowelCount;
        }
        if (!step(symbolOf(c)))
            return {};
    }
    if (!step(m_separatorSymbol))
        return {};
    QList<Stressing> found;
    collectStressings(state, vowelCount, found);
    if (writtenYo) {
        found.removeIf([writtenYo](const Stressing &s) { return (s.yoVowels & writtenYo) != writtenYo; });
    }
    return found;
}

void StressLexicon::collectStressings(quint32 start, int vowelCount, QList<Stressing> &out) const
{
    // Depth-first over the short tails after the separator; each path to a
    // final state is one stressing.
    struct Frame
    {
        quint32 transition;
        int depth;
        Stressing stressing;
        bool valid;
    };
    QList<Frame> stack;
    if (start != 0)
        stack.append({start, 0, {}, true});
    while (!stack.isEmpty() && out.size() < kMaxStressings) {
        const Frame frame = stack.takeLast();
        const quint32 transition = qFromLittleEndian(m_transitions[frame.transition]);
        if (!(transition & kLastBit) && frame.transition + 1 < m_transitionCount)
            stack.append({frame.transition + 1, frame.depth, frame.stressing, frame.valid});
        const char16_t code = m_symbols.at(int(transition & kSymbolMask));
        Stressing stressing = frame.stressing;
        bool valid = frame.valid;
        const int fromEnd = int(code & 0xFF);
        const int vowel = vowelCount - 1 - fromEnd;
        if ((code & 0xFF00) == kStressBase && frame.depth == 0 && vowel >= 0)
            stressing.stressedVowel = vowel;
        else if ((code & 0xFF00) == kYoBase && frame.depth > 0 && vowel >= 0 && vowel < kMaxVowels)
            stressing.yoVowels |= 1u << vowel;
        else if ((code & 0xFF00) == kReadingsBase && frame.depth > 0)
            stressing.readings = quint8(code & 0xFF);
        else
            valid = false;
        if ((transition & kFinalBit) && valid && !out.contains(stressing))
            out.append(stressing);
        const quint32 target = transition >> kTargetShift;
        if (target != 0 && frame.depth + 1 < kMaxStressingLength)
            stack.append({target, frame.depth + 1, stressing, valid});
    }
}

#include "import/chapter_detection.h"

#include "import/chapter_pattern.h"
#include "import/chapter_survey.h"
#include "import/layout_headings.h"
#include "import/text_normalisation.h"

#include "common/like_matcher.h"
#include "common/program_folder.h"
#include "common/replace_all.h"
#include "common/text_codec.h"

#include <QFileInfo>

int patternLength(const QString &pattern)
{
    QString p = replaceAll(pattern, QStringLiteral("[[]"), QStringLiteral("[x]"), true);
    p = replaceAll(p, QStringLiteral("[]]"), QStringLiteral("[x]"), true);
    return int(p.size() - p.count(u'[') - p.count(u']'));
}

QString prepareChapterLine(const QString &line, bool dialogueStartsWithQuotes)
{
    const QString quote = QStringLiteral("\"");
    QString l = line;
    l.replace(u'\t', u' ');
    l.replace(Codec::cp1251Char(160), u' ');
    l = collapseSpaces(l);
    l.remove(u'\n');
    l.remove(u'\r');
    l.replace(Codec::cp1251Char(171), quote);
    l.replace(Codec::cp1251Char(187), quote);
    l.replace(Codec::cp1251Char(132), quote);
    l.replace(Codec::cp1251Char(147), quote);
    l = trimLeadingSpaces(l);
    if (dialogueStartsWithQuotes && l.startsWith(u'"'))
        l.replace(0, 1, QStringLiteral("- "));
    l.replace(u'"', u' ');
    return collapseSpaces(l);
}

ChapterDetector::ChapterDetector(QList<ChapterIdentifier> identifiers, bool dialogueStartsWithQuotes)
    : m_dialogueStartsWithQuotes(dialogueStartsWithQuotes)
{
    for (const ChapterIdentifier &identifier : identifiers)
        if (identifier.flag)
            m_active.append(identifier.name);
}

namespace {

// 1 to 5 for "\" ... "\\\\\", else 0.
int emptyLineRule(const QString &identifier)
{
    if (identifier.isEmpty() || identifier.size() > 5 || identifier.count(u'\\') != identifier.size())
        return 0;
    return int(identifier.size());
}

} // namespace

bool ChapterDetector::emptyLineRuleFinds(const QStringList &prepared) const
{
    QList<int> rules;
    for (const QString &identifier : m_active)
        if (const int empties = emptyLineRule(identifier))
            rules.append(empties);
    int empties = 0;
    for (const QString &line : prepared) {
        if (isBlank(line)) {
            ++empties;
            continue;
        }
        if (rules.contains(empties))
            return true;
        empties = 0;
    }
    return false;
}

void ChapterDetector::surveyBook(const QStringList &lines)
{
    QStringList prepared;
    prepared.reserve(lines.size());
    for (const QString &line : lines)
        prepared.append(prepareChapterLine(line, m_dialogueStartsWithQuotes));
    QList<bool> veto = endnoteNumbers(prepared);
    // A book whose sections an empty-line identifier finds (a FictionBook or
    // EPUB conversion) has its titles marked; its lone lines are the
    // conversion's own layout: the title page, subtitles, epigraphs' authors.
    const bool byLayout = m_active.contains(kLayoutHeadingIdentifier) && !emptyLineRuleFinds(prepared);
    m_layoutHeadings = byLayout ? layoutHeadings(lines) : QList<bool>();
    // What the identifiers take, endnote numbers aside, from the empty-line
    // count the book starts with.
    ChapterDetector trial = *this;
    QList<int> identifier(lines.size(), kNoHeading);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        trial.m_lineIndex = i;
        if (trial.matchesPrepared(prepared[i]) && !veto[i])
            identifier[i] = trial.m_matchedIdentifier;
    }
    vetoContents(identifier, prepared, veto);
    m_notHeading = veto;
    m_linesSeen = 0;
}

bool ChapterDetector::matches(const QString &identifier, const QString &line)
{
    if (identifier == QLatin1String("$$"))
        return line == line.toUpper();
    if (identifier == kLayoutHeadingIdentifier)
        return m_lineIndex < m_layoutHeadings.size() && m_layoutHeadings[m_lineIndex];
    if (const int empties = emptyLineRule(identifier)) {
        if (emptyCount != empties)
            return false;
        emptyCount = 0;
        return true;
    }
    return chapterPatternMatches(identifier, line);
}

bool ChapterDetector::isChapter(QString &line)
{
    const bool vetoed = m_linesSeen < m_notHeading.size() && m_notHeading[m_linesSeen];
    m_lineIndex = m_linesSeen++;
    const bool heading = matchesIdentifiers(line);
    if (heading && vetoed) {
        emptyCount = 0; // as for a line that matches nothing
        return false;
    }
    return heading;
}

bool ChapterDetector::matchesIdentifiers(QString &line)
{
    line = prepareChapterLine(line, m_dialogueStartsWithQuotes);
    return matchesPrepared(line);
}

bool ChapterDetector::matchesPrepared(const QString &line)
{
    m_matchedIdentifier = kNoHeading;
    if (isBlank(line)) {
        ++emptyCount;
        return false;
    }
    for (int i = 0; i < m_active.size(); ++i) {
        if (matches(m_active[i], line)) {
            m_matchedIdentifier = emptyLineRule(m_active[i]) ? kEmptyLinesHeading : i;
            return true;
        }
    }
    emptyCount = 0;
    return false;
}

int ChapterIdentifierList::addIdentifier(const QString &text)
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].name == text) {
            m_entries[i].flag = true;
            return i;
        }
    }
    m_entries.append({text, true});
    return int(m_entries.size() - 1);
}

void ChapterIdentifierList::remove(int index)
{
    if (index >= 0 && index < m_entries.size())
        m_entries.removeAt(index);
}

void ChapterIdentifierList::setOn(int index, bool on)
{
    if (index >= 0 && index < m_entries.size())
        m_entries[index].flag = on;
}

void ChapterIdentifierList::setAllOn(bool on)
{
    for (ChapterIdentifier &entry : m_entries)
        entry.flag = on;
}

bool ChapterIdentifierList::switchListed(const QString &text, bool on)
{
    for (ChapterIdentifier &entry : m_entries) {
        if (entry.name == text) {
            const bool changes = entry.flag != on;
            entry.flag = on;
            return changes;
        }
    }
    return false;
}

QString followSectionMarks(ChapterIdentifierList &list, bool sectionsMarked)
{
    if (!list.switchListed(kSectionBreakIdentifier, sectionsMarked))
        return QString();
    return sectionsMarked
               ? QStringLiteral(
                   "Разделы книги FictionBook начинаются после трёх пустых строк: идентификатор «\\\\\\» включен.")
               : QStringLiteral("Три пустые строки в этой книге не начинают главу: идентификатор «\\\\\\» выключен.");
}

QString identifierFromSelection(const QString &selection)
{
    // The edit control may hand over CR LF, LF or its paragraph separator.
    qsizetype end = 0;
    while (end < selection.size() && selection.at(end) != u'\r' && selection.at(end) != u'\n'
           && selection.at(end) != QChar::ParagraphSeparator)
        ++end;
    const QString text = selection.left(end).trimmed();
    return replaceAll(replaceAll(text, QStringLiteral("*"), QStringLiteral("[*]"), true), QStringLiteral("?"),
                      QStringLiteral("[?]"), true);
}

QString chaptersFilePath(const QString &programFolder)
{
    return ProgramFolder(programFolder).chapterIdentifiersFile();
}

std::optional<QList<ChapterIdentifier>> loadChapterIdentifiers(const QString &programFolder)
{
    const QString path = chaptersFilePath(programFolder);
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return readNameFlagList(path);
}

bool saveChapterIdentifiers(const QString &programFolder, const QList<ChapterIdentifier> &entries)
{
    return writeNameFlagList(chaptersFilePath(programFolder), entries);
}

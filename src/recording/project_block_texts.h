#pragma once
// The recording driver's texts: the blocks of one book of the project store.

#include "recording/block_text.h"
#include "recording/recording_ports.h"

class ProjectBlockTexts : public BlockTexts
{
public:
    ProjectBlockTexts(const BlockTextSource &source, QString book) : m_source(source), m_book(std::move(book)) { }

    void setBook(const QString &book) { m_book = book; }

    QString text(int n, bool withDictionary, bool xml) override
    {
        m_dictionaryFailure.clear();
        QString spoken;
        const QString text = m_source.blockText(n, !withDictionary, xml, m_book, &m_dictionaryFailure, &spoken);
        m_lastSpokenText = m_dictionaryFailure.isEmpty() ? std::optional<QString>(spoken) : std::nullopt;
        return text;
    }
    std::optional<QString> lastSpokenText() const override { return m_lastSpokenText; }
    QString dictionaryFailure() const override { return m_dictionaryFailure; }
    int rawLength(int n) override { return m_source.blockRawLength(n, m_book); }

private:
    const BlockTextSource &m_source;
    QString m_book;
    QString m_dictionaryFailure;
    std::optional<QString> m_lastSpokenText;
};

#pragma once
// A set of grammatical cases: what a preposition governs, what a written
// form of a noun can be.

#include "stress/russian_numerals.h"

#include <QtGlobal>

class CaseSet
{
public:
    constexpr CaseSet() = default;
    constexpr CaseSet(std::initializer_list<GrammaticalCase> cases)
    {
        for (const GrammaticalCase c : cases)
            m_bits |= bit(c);
    }

    constexpr bool contains(GrammaticalCase c) const { return (m_bits & bit(c)) != 0; }
    constexpr bool isEmpty() const { return m_bits == 0; }
    // The one case of the set, when it holds exactly one.
    constexpr bool isSingle() const { return m_bits != 0 && (m_bits & (m_bits - 1)) == 0; }
    GrammaticalCase single() const
    {
        for (int c = 0; c < kGrammaticalCaseCount; ++c)
            if (m_bits == bit(GrammaticalCase(c)))
                return GrammaticalCase(c);
        return GrammaticalCase::Nominative;
    }

private:
    static constexpr quint8 bit(GrammaticalCase c) { return quint8(1u << int(c)); }
    quint8 m_bits = 0;
};

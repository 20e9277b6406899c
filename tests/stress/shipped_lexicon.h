#pragma once
// The lexicon the program ships, loaded once for the tests of the pass.

#include "stress/stress_lexicon.h"

#include <gtest/gtest.h>

inline const StressLexicon &shippedLexicon()
{
    static StressLexicon lexicon;
    static const bool loaded = lexicon.load(QStringLiteral(LECTORIUM_SOURCE_DIR "/data/Stress/ru-stress.lex"));
    EXPECT_TRUE(loaded);
    return lexicon;
}

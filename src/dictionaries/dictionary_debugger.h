#pragma once
// The debugger's processing: a text rewritten with the enabled dictionaries,
// freshly reloaded, and the time the rewrite took.

#include "dictionaries/dictionaries.h"

struct DebugRun
{
    QString result;
    double seconds = 0;
    QString failure; // why the dictionaries stopped; empty when they did not
};

DebugRun processWithDictionaries(Dictionaries &dictionaries, const QString &text,
                                 const DictionaryEngine::YieldHook &yield = {});

// Seconds as the debugger shows them: "####.###" followed by "секунд".
QString debugTimeText(double seconds);

#include "dictionaries/dictionary_debugger.h"

#include <QElapsedTimer>

DebugRun processWithDictionaries(Dictionaries &dictionaries, const QString &text,
                                 const DictionaryEngine::YieldHook &yield)
{
    dictionaries.loadDictionaryList();
    dictionaries.loadEnabledDictionaries();
    QElapsedTimer clock;
    clock.start();
    DebugRun run;
    DictionaryRewrite rewrite = dictionaries.applyDictionaries(text, yield);
    run.result = std::move(rewrite.text);
    run.failure = std::move(rewrite.failure);
    run.seconds = clock.nsecsElapsed() / 1e9;
    return run;
}

QString debugTimeText(double seconds)
{
    // "#" is an optional digit: no leading zero, no trailing zeros ("2." for 2 s).
    QString t = QString::number(seconds, 'f', 3);
    while (t.endsWith(u'0'))
        t.chop(1);
    if (t.startsWith(QLatin1String("0.")))
        t.remove(0, 1);
    return t + QStringLiteral("секунд");
}

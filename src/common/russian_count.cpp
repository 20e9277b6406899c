#include "common/russian_count.h"

QString russianCount(qint64 n, const QString &one, const QString &few, const QString &many)
{
    const qint64 lastTwo = (n < 0 ? -n : n) % 100;
    const qint64 last = lastTwo % 10;
    const QString &noun = (lastTwo >= 11 && lastTwo <= 14) ? many
                          : last == 1                      ? one
                          : (last >= 2 && last <= 4)       ? few
                                                           : many;
    return QString::number(n) + u' ' + noun;
}

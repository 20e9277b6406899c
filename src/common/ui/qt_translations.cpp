#include "common/ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool installQtTranslations(QCoreApplication &app)
{
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto *translator = new QTranslator(&app);
    const QLocale system = QLocale::system();
    const bool loaded = (system.language() == QLocale::Russian
                         && translator->load(system, QStringLiteral("qtbase"), QStringLiteral("_"), folder))
                        || translator->load(QStringLiteral("qtbase_ru"), folder);
    if (!loaded) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

// Lectorium: the desktop program.

#include "app/ui/main_window.h"
#include "app/ui/single_instance.h"
#include "common/program_folder.h"
#include "common/ui/qt_translations.h"
#include "options/visual_style_manifest.h"
#include "recording/speech/speech_program_finder.h"

#include <QApplication>
#include <QDir>
#include <QFile>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lectorium"));
    installQtTranslations(app);
    QStringList args = QApplication::arguments().mid(1);
    // "--program-folder DIR" runs the program on another folder (a second
    // library, the tests); what remains is at most one book file to open.
    QString programFolder;
    if (args.size() >= 2 && args.first() == QLatin1String("--program-folder")) {
        programFolder = QDir(args.at(1)).absolutePath();
        args = args.mid(2);
        QDir().mkpath(programFolder);
    } else {
        programFolder = decideProgramFolder(QApplication::applicationDirPath());
    }

    SingleInstance instance(programFolder);
    if (!instance.becomePrimary())
        return 0;
    seedProgramFolderFindingVoices(programFolder);
    if (!QFile::exists(manifestPath(programFolder)))
        QApplication::setStyle(QStringLiteral("Fusion"));

    MainWindow window(programFolder, args.join(u' '));
    QObject::connect(&instance, &SingleInstance::activationRequested, &window, &MainWindow::activateFromAnotherStart);
    window.show();
    return app.exec();
}

#include "common/user_guide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QList<QString> helpAnchors()
{
    using namespace HelpAnchor;
    QList<QString> anchors{start,           library,         bookEditor,
                           reader,          recording,       dictionaryEditor,
                           dictionaryList,  dictionaryTools, dictionaryDebugger,
                           optionsVoice,    optionsGeneral,  optionsMp3,
                           optionsPrograms, folderPicker,    about,
                           shutdown,        progress,        problems};
    anchors.removeDuplicates();
    return anchors;
}

QString userGuidePath()
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QString page = QStringLiteral("Doc/guide/index.html");
    for (const QString &candidate :
         {exeDir + u'/' + page, QDir::cleanPath(exeDir + QStringLiteral("/../share/lectorium/") + page)})
        if (QFileInfo(candidate).isFile())
            return candidate;
    return {};
}

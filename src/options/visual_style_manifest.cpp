#include "options/visual_style_manifest.h"

#include "common/user_file.h"

#include <QFile>
#include <QStringList>

QString manifestPath(const QString &programFolder)
{
    QString folder = programFolder;
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder + QStringLiteral("Lectorium.exe.MANIFEST");
}

QString manifestText()
{
    const QStringList lines = {
        QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"),
        QStringLiteral("<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">"),
        QStringLiteral(
            "<assemblyIdentity version=\"1.0.0.0\" processorArchitecture=\"x86\" name=\"prjThemed\" type=\"win32\" />"),
        QStringLiteral("<dependency>"),
        QStringLiteral("<dependentAssembly>"),
        QStringLiteral(
            "<assemblyIdentity type=\"win32\" name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
            "processorArchitecture=\"x86\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\" />"),
        QStringLiteral("</dependentAssembly>"),
        QStringLiteral("</dependency>"),
        QStringLiteral("</assembly>"),
    };
    return lines.join(QStringLiteral("\r\n"));
}

bool writeManifest(const QString &programFolder)
{
    const QString path = manifestPath(programFolder);
    if (QFile::exists(path))
        return true;
    return UserFile::writeBytes(path, manifestText().toUtf8());
}

void deleteManifest(const QString &programFolder)
{
    QFile::remove(manifestPath(programFolder));
}

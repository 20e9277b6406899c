#pragma once
// The package of an EPUB book (2 or 3): where its OPF file is, what the
// manifest holds, the reading order (spine), the table of contents, the
// cover image and the description, read from the files of the archive.
// Every path here is a full path inside the archive; a reference that
// leaves the archive (an absolute URL, "../" above its root) is dropped.

#include "import/fb2_description.h"
#include "import/zip_archive.h"

#include <QHash>
#include <QString>
#include <QStringList>

struct EpubItem
{
    QString path;
    QString mediaType;
    QString properties;
};

struct EpubPackage
{
    QString opfPath;
    QHash<QString, EpubItem> manifest; // by item id
    QStringList spine;                 // linear pages in reading order
    QStringList otherPages;            // pages of the manifest outside the linear spine
    QString navPath;                   // EPUB 3 navigation document
    QString ncxPath;                   // EPUB 2 table of contents
    QString coverPath;                 // cover image
    Fb2Description description;
};

// The path `href` (percent-encoded, maybe with "#fragment", which is
// dropped) points to from the file `base`, or empty when it points outside
// the archive.
QString resolveArchivePath(const QString &base, const QString &href);

// The OPF file named by META-INF/container.xml, or else the first ".opf"
// of the archive; empty when there is none.
QString findPackagePath(ZipArchive &archive);

// Reads the package from the OPF file's bytes.
EpubPackage readEpubPackage(const QString &opfPath, const QByteArray &opf);

// True when META-INF/encryption.xml encrypts anything but fonts: the book
// is protected (DRM) and its pages cannot be read.
bool isProtectedEpub(ZipArchive &archive);

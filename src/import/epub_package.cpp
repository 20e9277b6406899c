#include "import/epub_package.h"

#include "import/placeholder_metadata.h"
#include "import/xml_tree.h"

#include <QUrl>

namespace {

const QString kContainerPath = QStringLiteral("META-INF/container.xml");
const QString kEncryptionPath = QStringLiteral("META-INF/encryption.xml");

// Font obfuscation (IDPF and Adobe) hides fonts only; the pages stay plain.
bool isFontObfuscation(const QString &algorithm)
{
    return algorithm == u"http://www.idpf.org/2008/embedding" || algorithm == u"http://ns.adobe.com/pdf/enc#RC";
}

// "Лев Николаевич Толстой": the last word is the last name, the rest the
// first names, as a FictionBook description keeps them.
void addAuthor(const QString &name, Fb2Description &description)
{
    const qsizetype space = name.lastIndexOf(u' ');
    description.firstNames.append(space < 0 ? QString() : name.left(space));
    description.lastNames.append(name.mid(space + 1));
}

// "2011-05-03T00:00:00+00:00" -> "2011-05-03". Calibre writes the year 101
// for an unknown date.
QString bookDate(const QString &value)
{
    const QString date = value.section(u'T', 0, 0).trimmed();
    return date.startsWith(u"0101-01-01") ? QString() : date;
}

// The text as written, line breaks and markup of an escaped HTML
// description included.
QString nodeContent(const xmlNode *node)
{
    xmlChar *content = xmlNodeGetContent(node);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(content));
    xmlFree(content);
    return text.trimmed();
}

int seriesNumber(const QString &value)
{
    return qRound(value.trimmed().toDouble());
}

struct MetadataReader
{
    Fb2Description description;
    QString coverId;
    QHash<QString, QString> refinedRole;          // creator id -> role
    QHash<QString, QString> refinedGroupPosition; // collection id -> number
    QString collectionId;
    QList<std::pair<QString, QString>> creators;     // id, name
    QList<std::pair<QString, QString>> creatorRoles; // opf:role of each creator
    QString calibreSeriesIndex;

    void read(xmlNode *metadata)
    {
        forEachElement(metadata, [this](xmlNode *element) {
            readElement(element);
            return true;
        });
        finish();
    }

    void readElement(xmlNode *element)
    {
        const QString name = localName(element).toLower();
        const QString text = collapsedText(element);
        if (name == u"title" && description.title.isEmpty()) {
            if (!isPlaceholderName(text))
                description.title = text;
        } else if (name == u"creator" && !text.isEmpty() && !isPlaceholderName(text)) {
            creators.append({attributeValue(element, "id"), text});
            creatorRoles.append({attributeValue(element, "id"), attributeValue(element, "role")});
        } else if (name == u"date") {
            const QString event = attributeValue(element, "event");
            if ((description.date.isEmpty() || event == u"publication") && event != u"modification")
                description.date = bookDate(text);
        } else if (name == u"description" && description.annotation.isEmpty()) {
            description.annotation = nodeContent(element);
        } else if (name == u"subject" && description.genre.isEmpty()) {
            description.genre = text;
        } else if (name == u"meta") {
            readMeta(element, text);
        }
    }

    void readMeta(xmlNode *element, const QString &text)
    {
        const QString metaName = attributeValue(element, "name");
        const QString content = attributeValue(element, "content");
        const QString property = attributeValue(element, "property");
        const QString refines = attributeValue(element, "refines").remove(u'#');
        if (metaName == u"cover")
            coverId = content;
        else if (metaName == u"calibre:series")
            description.seriesName = content.trimmed();
        else if (metaName == u"calibre:series_index")
            calibreSeriesIndex = content;
        else if (property == u"belongs-to-collection" && collectionId.isEmpty() && !text.isEmpty()) {
            collectionId = attributeValue(element, "id");
            if (description.seriesName.isEmpty())
                description.seriesName = text;
        } else if (property == u"group-position")
            refinedGroupPosition.insert(refines, text);
        else if (property == u"role")
            refinedRole.insert(refines, text);
    }

    void finish()
    {
        for (qsizetype i = 0; i < creators.size(); ++i) {
            const auto &[id, name] = creators[i];
            QString role = creatorRoles[i].second;
            if (role.isEmpty() && !id.isEmpty())
                role = refinedRole.value(id);
            // Translators, editors and illustrators are not the book's authors.
            if (role.isEmpty() || role == u"aut")
                addAuthor(name, description);
        }
        if (!calibreSeriesIndex.isEmpty())
            description.seriesNumber = seriesNumber(calibreSeriesIndex);
        else if (!collectionId.isEmpty())
            description.seriesNumber = seriesNumber(refinedGroupPosition.value(collectionId));
    }
};

bool isImage(const EpubItem &item)
{
    return item.mediaType.startsWith(u"image/");
}

QString findCover(const EpubPackage &package, const QString &coverId)
{
    for (const EpubItem &item : package.manifest)
        if (hasWord(item.properties, QStringLiteral("cover-image")))
            return item.path;
    // EPUB 2 names the cover's item id; some books put its path there.
    if (package.manifest.contains(coverId) && isImage(package.manifest[coverId]))
        return package.manifest[coverId].path;
    for (const EpubItem &item : package.manifest)
        if (isImage(item) && !coverId.isEmpty() && item.path.endsWith(coverId))
            return item.path;
    for (auto it = package.manifest.cbegin(); it != package.manifest.cend(); ++it)
        if (isImage(*it)
            && (it.key().contains(u"cover", Qt::CaseInsensitive)
                || it->path.section(u'/', -1).contains(u"cover", Qt::CaseInsensitive)))
            return it->path;
    return {};
}

bool isPage(const EpubItem &item)
{
    return item.mediaType == u"application/xhtml+xml" || item.mediaType == u"text/html";
}

void readManifest(xmlNode *manifest, const QString &opfPath, EpubPackage &package)
{
    forEachElement(manifest, [&](xmlNode *element) {
        if (localName(element) != u"item")
            return false;
        const QString path = resolveArchivePath(opfPath, attributeValue(element, "href"));
        if (path.isEmpty())
            return false;
        const EpubItem item{path, attributeValue(element, "media-type"), attributeValue(element, "properties")};
        package.manifest.insert(attributeValue(element, "id"), item);
        if (hasWord(item.properties, QStringLiteral("nav")))
            package.navPath = path;
        if (item.mediaType == u"application/x-dtbncx+xml")
            package.ncxPath = path;
        return false;
    });
}

void readSpine(xmlNode *spine, EpubPackage &package)
{
    const QString tocId = attributeValue(spine, "toc");
    if (package.manifest.contains(tocId))
        package.ncxPath = package.manifest[tocId].path;
    forEachElement(spine, [&](xmlNode *element) {
        if (localName(element) != u"itemref")
            return false;
        const auto item = package.manifest.constFind(attributeValue(element, "idref"));
        if (item != package.manifest.cend() && isPage(*item) && !package.spine.contains(item->path)
            && attributeValue(element, "linear") != u"no")
            package.spine.append(item->path);
        return false;
    });
    for (const EpubItem &item : package.manifest)
        if (isPage(item) && !package.spine.contains(item.path))
            package.otherPages.append(item.path);
}

} // namespace

QString resolveArchivePath(const QString &base, const QString &href)
{
    const QString reference = href.section(u'#', 0, 0).trimmed();
    if (reference.isEmpty() || reference.startsWith(u'/') || reference.contains(u':'))
        return {};
    QStringList parts = base.split(u'/');
    parts.removeLast(); // the file itself
    for (const QString &part : QUrl::fromPercentEncoding(reference.toUtf8()).split(u'/')) {
        if (part == u"..") {
            if (parts.isEmpty())
                return {};
            parts.removeLast();
        } else if (!part.isEmpty() && part != u".") {
            parts.append(part);
        }
    }
    return parts.join(u'/');
}

QString findPackagePath(ZipArchive &archive)
{
    if (const auto container = archive.read(kContainerPath)) {
        const XmlDocument doc = parseXmlFile(*container);
        if (doc)
            if (xmlNode *rootfile = findElement(xmlDocGetRootElement(doc.get()), "rootfile")) {
                const QString path = resolveArchivePath(QString(), attributeValue(rootfile, "full-path"));
                if (archive.contains(path))
                    return path;
            }
    }
    for (const QString &name : archive.names())
        if (name.endsWith(QStringLiteral(".opf"), Qt::CaseInsensitive))
            return name;
    return {};
}

EpubPackage readEpubPackage(const QString &opfPath, const QByteArray &opf)
{
    EpubPackage package;
    package.opfPath = opfPath;
    const XmlDocument doc = parseXmlFile(opf);
    xmlNode *root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    if (!root)
        return package;
    if (xmlNode *manifest = findElement(root, "manifest"))
        readManifest(manifest, opfPath, package);
    if (xmlNode *spine = findElement(root, "spine"))
        readSpine(spine, package);
    MetadataReader metadata;
    if (xmlNode *element = findElement(root, "metadata"))
        metadata.read(element);
    package.description = metadata.description;
    package.coverPath = findCover(package, metadata.coverId);
    return package;
}

bool isProtectedEpub(ZipArchive &archive)
{
    if (!archive.contains(kEncryptionPath))
        return false;
    const auto bytes = archive.read(kEncryptionPath);
    const XmlDocument doc = bytes ? parseXmlFile(*bytes) : XmlDocument();
    if (!doc)
        return true; // an encryption file that cannot be read protects something
    bool protectsPages = false;
    forEachElement(xmlDocGetRootElement(doc.get()), [&](xmlNode *element) {
        if (localName(element) != u"EncryptedData")
            return true;
        xmlNode *method = findElement(element, "EncryptionMethod");
        if (!method || !isFontObfuscation(attributeValue(method, "Algorithm")))
            protectsPages = true;
        return false;
    });
    return protectsPages;
}

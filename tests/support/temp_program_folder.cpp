#include "temp_program_folder.h"

#include "common/text_codec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

std::optional<QByteArray> environmentValue(const char *name)
{
    return qEnvironmentVariableIsSet(name) ? std::optional<QByteArray>(qgetenv(name)) : std::nullopt;
}

void restoreEnvironment(const char *name, const std::optional<QByteArray> &value)
{
    if (value)
        qputenv(name, *value);
    else
        qunsetenv(name);
}

} // namespace

TempProgramFolder::TempProgramFolder()
    : m_dir(QDir::tempPath() + QStringLiteral("/lectorium-test-XXXXXX")), m_path(m_dir.path()),
      m_homeDir(QDir::tempPath() + QStringLiteral("/lectorium-home-XXXXXX")), m_home(m_homeDir.path()),
      m_formerHome(environmentValue("HOME")), m_formerConfigHome(environmentValue("XDG_CONFIG_HOME"))
{
    qputenv("HOME", QFile::encodeName(m_home));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home + QStringLiteral("/.config")));
}

TempProgramFolder::~TempProgramFolder()
{
    restoreEnvironment("HOME", m_formerHome);
    restoreEnvironment("XDG_CONFIG_HOME", m_formerConfigHome);
}

QString TempProgramFolder::file(const QString &name) const
{
    return m_path + u'/' + name;
}

void TempProgramFolder::writeCp1251(const QString &name, const QString &text) const
{
    const QString target = file(name);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile f(target);
    if (f.open(QIODevice::WriteOnly))
        f.write(Codec::toCp1251(text));
}

QByteArray TempProgramFolder::readBytes(const QString &name) const
{
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

namespace {

QString sharedRoot()
{
    const QStringList candidates = {qEnvironmentVariable("LECTORIUM_SHARED"), QStringLiteral(LECTORIUM_SHARED_DATA),
                                    QStringLiteral("/work/shared")};
    for (const QString &root : candidates)
        if (!root.isEmpty() && QFileInfo(root + QStringLiteral("/books")).isDir())
            return root;
    return QStringLiteral(LECTORIUM_SHARED_DATA);
}

} // namespace

QString sharedDataPath(const QString &relative)
{
    return sharedRoot() + u'/' + relative;
}

bool sharedDataAvailable()
{
    return QFileInfo(sharedRoot() + QStringLiteral("/books")).isDir();
}

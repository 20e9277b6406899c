#include "import/zip_archive.h"

#include "common/text_codec.h"

#include <QFile>

#include <zip.h>

#include <memory>

namespace {

constexpr qint64 kReadChunk = 64 * 1024;

QString entryName(zip_t *zip, zip_uint64_t index)
{
    const char *raw = zip_get_name(zip, index, ZIP_FL_ENC_RAW);
    if (!raw)
        return {};
    const QByteArray bytes(raw);
    return Codec::looksLikeUtf8(bytes) ? QString::fromUtf8(bytes) : Codec::fromCp866(bytes);
}

} // namespace

QString zipProblemMessage(ZipProblem problem, const QString &archivePath)
{
    switch (problem) {
    case ZipProblem::None: break;
    case ZipProblem::NotOpened: return QStringLiteral("Не удалось открыть файл:\n%1").arg(archivePath);
    case ZipProblem::NotZip: return QStringLiteral("Файл не является архивом ZIP или повреждён:\n%1").arg(archivePath);
    case ZipProblem::TooManyEntries:
        return QStringLiteral("В архиве слишком много файлов, он не открывается:\n%1").arg(archivePath);
    case ZipProblem::TooLarge:
        return QStringLiteral("Архив распаковывается в слишком большой объём, он не открывается "
                              "(возможно, это «ZIP-бомба»):\n%1")
            .arg(archivePath);
    case ZipProblem::Encrypted: return QStringLiteral("Файл в архиве защищён паролем:\n%1").arg(archivePath);
    case ZipProblem::Damaged: return QStringLiteral("Файл в архиве повреждён:\n%1").arg(archivePath);
    case ZipProblem::Missing: return QStringLiteral("В архиве нет нужного файла:\n%1").arg(archivePath);
    }
    return {};
}

ZipArchive::ZipArchive(const QString &path, ZipLimits limits) : m_limits(limits)
{
    if (!QFile::exists(path)) {
        m_problem = ZipProblem::NotOpened;
        return;
    }
    int error = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!m_zip) {
        m_problem = error == ZIP_ER_OPEN || error == ZIP_ER_READ ? ZipProblem::NotOpened : ZipProblem::NotZip;
        return;
    }
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    if (count < 0 || count > m_limits.maxEntries) {
        m_problem = count < 0 ? ZipProblem::NotZip : ZipProblem::TooManyEntries;
        zip_discard(m_zip);
        m_zip = nullptr;
        return;
    }
    for (zip_int64_t i = 0; i < count; ++i) {
        const QString name = entryName(m_zip, zip_uint64_t(i));
        if (name.isEmpty() || name.endsWith(u'/'))
            continue;
        m_names.append(name);
        m_indexes.append(i);
    }
}

ZipArchive::~ZipArchive()
{
    if (m_zip)
        zip_discard(m_zip);
}

bool ZipArchive::contains(const QString &name) const
{
    return m_names.contains(name);
}

std::optional<QByteArray> ZipArchive::read(const QString &name)
{
    if (!m_zip)
        return std::nullopt;
    const qsizetype at = m_names.indexOf(name);
    if (at < 0) {
        m_problem = ZipProblem::Missing;
        return std::nullopt;
    }
    const auto index = zip_uint64_t(m_indexes[at]);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_zip, index, 0, &stat) != 0) {
        m_problem = ZipProblem::Damaged;
        return std::nullopt;
    }
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
        m_problem = ZipProblem::Encrypted;
        return std::nullopt;
    }
    // What may still be unpacked: the smaller of the file limit and what is
    // left of the archive's; the declared size is checked first, and the
    // real data is cut off one byte past the declared size (or the
    // allowance) in case the declaration lies.
    const qint64 allowance = std::min(m_limits.maxEntryBytes, m_limits.maxTotalBytes - m_bytesRead);
    const bool sizeKnown = stat.valid & ZIP_STAT_SIZE;
    const qint64 declared = sizeKnown ? qint64(stat.size) : 0;
    if (declared > allowance) {
        m_problem = ZipProblem::TooLarge;
        return std::nullopt;
    }
    std::unique_ptr<zip_file_t, decltype(&zip_fclose)> file(zip_fopen_index(m_zip, index, 0), &zip_fclose);
    if (!file) {
        m_problem = ZipProblem::Damaged;
        return std::nullopt;
    }
    QByteArray bytes;
    bytes.reserve(declared);
    char chunk[kReadChunk];
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), chunk, sizeof chunk);
        if (got < 0) {
            m_problem = ZipProblem::Damaged;
            return std::nullopt;
        }
        if (got == 0)
            break;
        if (bytes.size() + got > (sizeKnown ? declared : allowance)) {
            m_problem = ZipProblem::TooLarge;
            return std::nullopt;
        }
        bytes.append(chunk, got);
    }
    m_bytesRead += bytes.size();
    m_problem = ZipProblem::None;
    return bytes;
}

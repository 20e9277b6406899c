#include "support/zip_writer.h"

#include <QFile>

#include <zip.h>

#include <cstring>

namespace {

struct Zeros
{
    qint64 size = 0;
    qint64 offset = 0;
};

zip_int64_t zerosSource(void *state, void *data, zip_uint64_t length, zip_source_cmd_t command)
{
    auto *zeros = static_cast<Zeros *>(state);
    switch (command) {
    case ZIP_SOURCE_OPEN: zeros->offset = 0; return 0;
    case ZIP_SOURCE_READ: {
        const auto n = zip_int64_t(std::min<qint64>(qint64(length), zeros->size - zeros->offset));
        std::memset(data, 0, size_t(n));
        zeros->offset += n;
        return n;
    }
    case ZIP_SOURCE_CLOSE: return 0;
    case ZIP_SOURCE_STAT: {
        auto *stat = static_cast<zip_stat_t *>(data);
        zip_stat_init(stat);
        stat->size = zip_uint64_t(zeros->size);
        stat->valid |= ZIP_STAT_SIZE;
        return sizeof(zip_stat_t);
    }
    case ZIP_SOURCE_FREE: return 0;
    case ZIP_SOURCE_SUPPORTS:
        return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT,
                                              ZIP_SOURCE_FREE, -1);
    default: return -1;
    }
}

zip_t *create(const QString &path)
{
    QFile::remove(path);
    int error = 0;
    return zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
}

} // namespace

bool writeZip(const QString &path, const ZipEntries &entries)
{
    zip_t *zip = create(path);
    if (!zip)
        return false;
    for (const auto &[name, bytes] : entries) {
        // libzip keeps the pointer until the archive is closed; the list
        // outlives that.
        zip_source_t *source = zip_source_buffer(zip, bytes.constData(), zip_uint64_t(bytes.size()), 0);
        if (!source || zip_file_add(zip, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(source);
            zip_discard(zip);
            return false;
        }
    }
    return zip_close(zip) == 0;
}

bool writeZerosZip(const QString &path, const QString &entryName, qint64 size)
{
    zip_t *zip = create(path);
    if (!zip)
        return false;
    static Zeros zeros;
    zeros.size = size;
    zip_source_t *source = zip_source_function(zip, zerosSource, &zeros);
    const zip_int64_t index = source ? zip_file_add(zip, entryName.toUtf8().constData(), source, 0) : -1;
    if (index < 0) {
        zip_source_free(source);
        zip_discard(zip);
        return false;
    }
    zip_set_file_compression(zip, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
    return zip_close(zip) == 0;
}

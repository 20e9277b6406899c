#include "audiobook/mp3_chapter_tags.h"

#include <QFile>

#include <taglib/attachedpictureframe.h>
#include <taglib/chapterframe.h>
#include <taglib/commentsframe.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>
#include <taglib/tableofcontentsframe.h>
#include <taglib/textidentificationframe.h>

namespace {

using namespace TagLib;

String tagText(const QString &text)
{
    return String(text.toStdString(), String::UTF8);
}

// UTF-16 frames: ID3v2.3, which the most players read, has no UTF-8.
ID3v2::Frame *textFrame(const char *id, const QString &value)
{
    auto *frame = new ID3v2::TextIdentificationFrame(ByteVector(id), String::UTF16);
    frame->setText(tagText(value));
    return frame;
}

void addText(ID3v2::Tag &tag, const char *id, const QString &value)
{
    if (!value.isEmpty())
        tag.addFrame(textFrame(id, value));
}

void addComment(ID3v2::Tag &tag, const QString &comment)
{
    if (comment.isEmpty())
        return;
    auto *frame = new ID3v2::CommentsFrame(String::UTF16);
    frame->setLanguage("rus");
    frame->setText(tagText(comment));
    tag.addFrame(frame);
}

bool addCover(ID3v2::Tag &tag, const QString &coverPath)
{
    if (coverPath.isEmpty())
        return true;
    QFile cover(coverPath);
    if (!cover.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = cover.readAll();
    auto *frame = new ID3v2::AttachedPictureFrame;
    frame->setMimeType(coverPath.endsWith(QLatin1String(".png"), Qt::CaseInsensitive) ? "image/png" : "image/jpeg");
    frame->setType(ID3v2::AttachedPictureFrame::FrontCover);
    frame->setPicture(ByteVector(data.constData(), static_cast<unsigned int>(data.size())));
    tag.addFrame(frame);
    return true;
}

unsigned int milliseconds(qint64 microseconds)
{
    return static_cast<unsigned int>((microseconds + 500) / 1000);
}

void addChapters(ID3v2::Tag &tag, const QList<BookChapter> &chapters)
{
    const QList<qint64> starts = chapterStarts(chapters);
    const qint64 total = totalMicroseconds(chapters);
    ByteVectorList ids;
    for (qsizetype i = 0; i < chapters.size(); ++i) {
        const ByteVector id(QByteArray("chp").append(QByteArray::number(i + 1)).constData());
        ids.append(id);
        const qint64 end = i + 1 < chapters.size() ? starts[i + 1] : total;
        ID3v2::FrameList title;
        if (!chapters[i].title.isEmpty())
            title.append(textFrame("TIT2", chapters[i].title));
        // No byte offsets: the times alone place the chapter.
        tag.addFrame(
            new ID3v2::ChapterFrame(id, milliseconds(starts[i]), milliseconds(end), 0xFFFFFFFF, 0xFFFFFFFF, title));
    }
    auto *toc = new ID3v2::TableOfContentsFrame(ByteVector("toc"), ids);
    toc->setIsTopLevel(true);
    toc->setIsOrdered(true);
    tag.addFrame(toc);
}

} // namespace

bool writeMp3BookTag(const QString &path, const BookTags &tags, const QList<BookChapter> &chapters,
                     const QString &coverPath)
{
    MPEG::File file(QFile::encodeName(path).constData(), false);
    if (!file.isValid())
        return false;
    file.strip();
    ID3v2::Tag *tag = file.ID3v2Tag(true);
    addText(*tag, "TIT2", tags.title);
    addText(*tag, "TPE1", tags.artist);
    addText(*tag, "TPE2", tags.artist);
    addText(*tag, "TALB", tags.album);
    addText(*tag, "TCON", tags.genre);
    addText(*tag, "TDRC", tags.year);
    addComment(*tag, tags.comment);
    if (!addCover(*tag, coverPath))
        return false;
    addChapters(*tag, chapters);
    return file.save(MPEG::File::ID3v2, File::StripOthers, ID3v2::v3);
}

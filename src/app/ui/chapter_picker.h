#pragma once

#include <QWidget>

class QListWidget;
class QListWidgetItem;

// ChapterPicker: the small chapter list that opens beside a "..." button of the
// block range; choosing a chapter gives its block number.
class ChapterPicker : public QWidget
{
    Q_OBJECT
public:
    explicit ChapterPicker(QWidget *parent = nullptr);

    // Lists `titles` (block 1 first) and shows the window beside `anchor`,
    // kept inside the screen 500 twips from its edges.
    void showChapters(const QStringList &titles, const QWidget *anchor);
    QListWidget *list() const { return m_chapterList; }

signals:
    void chosen(int blockNumber);

private:
    void choose(QListWidgetItem *item);

    QListWidget *m_chapterList;
};

#pragma once

#include <QWidget>

class QListWidget;
class QListWidgetItem;

// Form5: the small chapter list that opens beside a "..." button of the
// block range; choosing a chapter gives its block number.
class Form5 : public QWidget
{
    Q_OBJECT
public:
    explicit Form5(QWidget *parent = nullptr);

    // Lists `titles` (block 1 first) and shows the window beside `anchor`,
    // kept inside the screen 500 twips from its edges.
    void showChapters(const QStringList &titles, const QWidget *anchor);
    QListWidget *list() const { return m_list; }

signals:
    void chosen(int blockNumber);

private:
    void choose(QListWidgetItem *item);

    QListWidget *m_list;
};

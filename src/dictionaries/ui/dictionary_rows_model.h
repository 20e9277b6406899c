#pragma once

#include "dictionaries/editor_sections.h"

#include <QAbstractTableModel>

// The rows of the editor's list: "Слово", "Произношение" and the case
// column. A model, so a dictionary of a hundred thousand entries costs only
// the rows on screen.
class DictionaryRowsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    const QList<DicRow> &rows() const { return m_rows; }
    void setRows(QList<DicRow> rows);
    void setRow(int row, const DicRow &value);
    void insertRowsAt(int position, const QList<DicRow> &rows);
    // `sorted` ascending.
    void removeRowList(const QList<int> &sorted);
    void setCaseHeader(const QString &header);

private:
    QList<DicRow> m_rows;
    QString m_caseHeader = kCaseSensitiveMark;
};

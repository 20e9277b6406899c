#include "dictionaries/ui/dictionary_rows_model.h"

#include "dictionaries/editor_rows.h"

int DictionaryRowsModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int DictionaryRowsModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant DictionaryRowsModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows.size())
        return {};
    const DicRow &row = m_rows[index.row()];
    switch (index.column()) {
    case 0: return row.word;
    case 1: return row.pronunciation;
    default: return row.flag;
    }
}

QVariant DictionaryRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return {};
    switch (section) {
    case 0: return QStringLiteral("Слово");
    case 1: return QStringLiteral("Произношение");
    default: return m_caseHeader;
    }
}

void DictionaryRowsModel::setRows(QList<DicRow> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

void DictionaryRowsModel::setRow(int row, const DicRow &value)
{
    m_rows[row] = value;
    emit dataChanged(index(row, 0), index(row, 2));
}

void DictionaryRowsModel::insertRowsAt(int position, const QList<DicRow> &rows)
{
    if (rows.isEmpty())
        return;
    beginInsertRows({}, position, position + int(rows.size()) - 1);
    for (int i = 0; i < rows.size(); ++i)
        m_rows.insert(position + i, rows[i]);
    endInsertRows();
}

void DictionaryRowsModel::removeRowList(const QList<int> &sorted)
{
    if (sorted.size() == 1) {
        beginRemoveRows({}, sorted[0], sorted[0]);
        m_rows.removeAt(sorted[0]);
        endRemoveRows();
    } else if (!sorted.isEmpty()) {
        setRows(withoutRows(m_rows, sorted));
    }
}

void DictionaryRowsModel::setCaseHeader(const QString &header)
{
    m_caseHeader = header;
    emit headerDataChanged(Qt::Horizontal, 2, 2);
}

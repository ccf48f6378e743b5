#pragma once
// The notebook's table: the questions the filter lets through, one row
// each, with the columns Prova, Banca, Ano, Disciplina, Questão, Situação,
// Erros, Visto em, Revisar, Anotação. A click on a header sorts by that
// column (ties keep paper and question order); the note is editable.
#include "notebook/NotebookFilter.h"
#include "notebook/NotebookItem.h"

#include <QAbstractTableModel>

#include <functional>
#include <vector>

namespace zelvora::notebook {

class NotebookTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Paper, Board, Year, Subject, Question, Status, Missed, LastSeen, Due, Note, ColumnCount };

    explicit NotebookTableModel(QObject* parent = nullptr);

    // All notebook questions and the day "today" is; the filter picks rows.
    void setItems(std::vector<NotebookItem> items, int64_t today);
    void setFilter(const NotebookFilter& filter);
    const NotebookFilter& filter() const { return m_filter; }
    const std::vector<NotebookItem>& allItems() const { return m_all; }
    const NotebookItem& item(int row) const { return m_rows[size_t(row)]; }
    const std::vector<NotebookItem>& rows() const { return m_rows; }
    // Called when the user edits a note (id, text); the window stores it.
    std::function<bool(qint64, const QString&)> onNoteEdited;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // The cell's text, as the table and the CSV show it.
    QString text(const NotebookItem& item, int column) const;

private:
    void rebuild();

    std::vector<NotebookItem> m_all;
    std::vector<NotebookItem> m_rows;
    NotebookFilter m_filter;
    int64_t m_today = 0;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

} // namespace zelvora::notebook

#include "notebook/NotebookTableModel.h"

#include "notebook/NotebookTexts.h"

#include <algorithm>

namespace zelvora::notebook {

NotebookTableModel::NotebookTableModel(QObject* parent) : QAbstractTableModel(parent)
{
}

void NotebookTableModel::setItems(std::vector<NotebookItem> items, int64_t today)
{
    beginResetModel();
    m_all = std::move(items);
    m_today = today;
    rebuild();
    endResetModel();
}

void NotebookTableModel::setFilter(const NotebookFilter& filter)
{
    beginResetModel();
    m_filter = filter;
    rebuild();
    endResetModel();
}

void NotebookTableModel::rebuild()
{
    m_rows = m_filter.apply(m_all);
    if (m_sortColumn < 0)
        return;
    const int column = m_sortColumn;
    const bool descending = m_sortOrder == Qt::DescendingOrder;
    auto less = [&](const NotebookItem& a, const NotebookItem& b) {
        switch (column) {
        case Question:
            return a.question < b.question;
        case Missed:
            return a.missed < b.missed;
        case LastSeen:
            return a.lastSeen < b.lastSeen;
        case Due:
            return a.schedule.dueDay < b.schedule.dueDay;
        default:
            return QString::localeAwareCompare(text(a, column), text(b, column)) < 0;
        }
    };
    std::stable_sort(m_rows.begin(), m_rows.end(), [&](const NotebookItem& a, const NotebookItem& b) {
        return descending ? less(b, a) : less(a, b);
    });
}

int NotebookTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int NotebookTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString NotebookTableModel::text(const NotebookItem& it, int column) const
{
    switch (column) {
    case Paper:
        return it.paperName;
    case Board:
        return it.board;
    case Year:
        return it.year;
    case Subject:
        return it.subject;
    case Question:
        return QString::number(it.question + 1);
    case Status:
        return NotebookTexts::Status(it);
    case Missed:
        return QString::number(it.missed);
    case LastSeen:
        return it.lastSeen.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    case Due:
        return NotebookTexts::Due(it, m_today);
    case Note:
        return it.note;
    default:
        return {};
    }
}

QVariant NotebookTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(m_rows.size()))
        return {};
    const NotebookItem& it = m_rows[size_t(index.row())];
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return text(it, index.column());
    if (role == Qt::TextAlignmentRole && (index.column() == Question || index.column() == Missed))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::UserRole)
        return it.id;
    return {};
}

bool NotebookTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || index.column() != Note || role != Qt::EditRole)
        return false;
    NotebookItem& it = m_rows[size_t(index.row())];
    const QString note = value.toString();
    if (onNoteEdited && !onNoteEdited(it.id, note))
        return false;
    it.note = note;
    for (NotebookItem& all : m_all)
        if (all.id == it.id)
            all.note = note;
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags NotebookTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == Note)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant NotebookTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const names[ColumnCount] = {"Prova",    "Banca", "Ano",      "Disciplina", "Questão",
                                                   "Situação", "Erros", "Visto em", "Revisar",    "Anotação"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(names[section]) : QVariant();
}

void NotebookTableModel::sort(int column, Qt::SortOrder order)
{
    beginResetModel();
    m_sortColumn = column;
    m_sortOrder = order;
    rebuild();
    endResetModel();
}

} // namespace zelvora::notebook

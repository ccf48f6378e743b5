#pragma once
// The history table: one row per attempt in the store, newest first, with
// the date, the paper, hits of total, the percentage, the time, how many
// questions were answered and whether it was finished. Sortable by any
// column (sort()); the display texts follow the given locale's decimal point.
#include "attempts/Attempt.h"
#include "attempts/KeyRevisions.h"

#include <QAbstractTableModel>
#include <QLocale>

#include <map>
#include <vector>

namespace zelvora::attempts {

class AttemptStore;

class HistoryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Date, Paper, Hits, Percentage, Time, Answered, Status, ColumnCount };
    // The raw value a column sorts by (dates as msecs, percentages as
    // doubles, ...); AttemptIdRole gives the row's attempt id.
    static constexpr int SortRole = Qt::UserRole;
    static constexpr int AttemptIdRole = Qt::UserRole + 1;

    explicit HistoryModel(QLocale locale = QLocale(), QObject* parent = nullptr);

    // Reads every attempt again, with the scores they had before a newer key
    // scored them again; keeps the current sort.
    void reload(AttemptStore& store);
    void setRescored(std::map<qint64, Rescored> rescored);
    // "7 de 10", or "8 de 10 (antes 7 de 10)" for an attempt scored again.
    QString hitsText(const Attempt& a) const;
    void setAttempts(std::vector<Attempt> attempts);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    const Attempt& attempt(int row) const { return m_rows[size_t(row)]; }
    // Every attempt, in no particular order (for the per-paper series).
    const std::vector<Attempt>& attempts() const { return m_rows; }
    // The row of an attempt id, or -1.
    int rowOf(qint64 id) const;

    // Texts as the table shows them.
    static QString TimeText(qint64 seconds); // "1:02:05"
    QString dateText(const Attempt& a) const;
    QString percentageText(const Attempt& a) const;
    static QString StatusText(const Attempt& a);

private:
    QVariant sortValue(const Attempt& a, int column) const;

    QLocale m_locale;
    std::vector<Attempt> m_rows;
    std::map<qint64, Rescored> m_rescored;
    int m_sortColumn = Date;
    Qt::SortOrder m_sortOrder = Qt::DescendingOrder;
};

} // namespace zelvora::attempts

#include "attempts/HistoryModel.h"

#include "attempts/AttemptStore.h"
#include "mockexam/ExamScore.h"

#include <algorithm>

namespace zelvora::attempts {

HistoryModel::HistoryModel(QLocale locale, QObject* parent) : QAbstractTableModel(parent), m_locale(std::move(locale))
{
}

void HistoryModel::reload(AttemptStore& store)
{
    m_rescored = KeyRevisions(store.path()).latest();
    auto rows = store.summaries();
    setAttempts(rows ? std::move(rows.value()) : std::vector<Attempt>{});
}

void HistoryModel::setRescored(std::map<qint64, Rescored> rescored)
{
    beginResetModel();
    m_rescored = std::move(rescored);
    endResetModel();
}

QString HistoryModel::hitsText(const Attempt& a) const
{
    const QString now = QStringLiteral("%1 de %2").arg(a.hits).arg(a.questionCount);
    const auto it = m_rescored.find(a.id);
    if (it == m_rescored.end())
        return now;
    // Scored again under a newer key: the score before it stays in sight.
    return QStringLiteral("%1 (antes %2 de %3)").arg(now).arg(it->second.hitsBefore).arg(it->second.questionsBefore);
}

void HistoryModel::setAttempts(std::vector<Attempt> attempts)
{
    beginResetModel();
    m_rows = std::move(attempts);
    endResetModel();
    sort(m_sortColumn, m_sortOrder);
}

int HistoryModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int HistoryModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString HistoryModel::TimeText(qint64 seconds)
{
    seconds = qMax<qint64>(0, seconds);
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString HistoryModel::dateText(const Attempt& a) const
{
    return a.startedAt.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm"));
}

QString HistoryModel::percentageText(const Attempt& a) const
{
    const std::string text = mockexam::ExamScore::FormatTwoDecimals(a.percentage(),
                                                                    m_locale.decimalPoint().toStdString());
    return QString::fromStdString(text).trimmed() + QLatin1Char('%');
}

QString HistoryModel::StatusText(const Attempt& a)
{
    return a.finished ? QStringLiteral("concluída") : QStringLiteral("interrompida");
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= ColumnCount)
        return {};
    const Attempt& a = m_rows[size_t(index.row())];
    if (role == AttemptIdRole)
        return a.id;
    if (role == SortRole)
        return sortValue(a, index.column());
    if (role == Qt::TextAlignmentRole && index.column() != Paper && index.column() != Date)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case Date:
        return dateText(a);
    case Paper:
        return a.paperName;
    case Hits:
        return hitsText(a);
    case Percentage:
        return percentageText(a);
    case Time:
        return TimeText(a.elapsedSeconds);
    case Answered:
        return QString::number(a.answered);
    case Status:
        return StatusText(a);
    default:
        return {};
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Date:
        return QStringLiteral("Data");
    case Paper:
        return QStringLiteral("Prova");
    case Hits:
        return QStringLiteral("Acertos");
    case Percentage:
        return QStringLiteral("Porcentagem");
    case Time:
        return QStringLiteral("Tempo");
    case Answered:
        return QStringLiteral("Respondidas");
    case Status:
        return QStringLiteral("Situação");
    default:
        return {};
    }
}

QVariant HistoryModel::sortValue(const Attempt& a, int column) const
{
    switch (column) {
    case Date:
        return a.startedAt.toMSecsSinceEpoch();
    case Paper:
        return a.paperName;
    case Hits:
        return a.hits;
    case Percentage:
        return a.percentage();
    case Time:
        return a.elapsedSeconds;
    case Answered:
        return a.answered;
    case Status:
        return int(a.finished);
    default:
        return {};
    }
}

void HistoryModel::sort(int column, Qt::SortOrder order)
{
    if (column < 0 || column >= ColumnCount)
        return;
    m_sortColumn = column;
    m_sortOrder = order;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<qint64> beforeIds;
    for (const QModelIndex& i : before)
        beforeIds.push_back(m_rows[size_t(i.row())].id);

    // Ties keep the newest first, whatever the column and direction.
    auto newerFirst = [](const Attempt& x, const Attempt& y) {
        if (x.startedAt != y.startedAt)
            return x.startedAt > y.startedAt;
        return x.id > y.id;
    };
    auto less = [&](const Attempt& x, const Attempt& y) -> int {
        switch (column) {
        case Date:
            return x.startedAt < y.startedAt ? -1 : (y.startedAt < x.startedAt ? 1 : 0);
        case Paper:
            return QString::localeAwareCompare(x.paperName, y.paperName);
        case Hits:
            return x.hits - y.hits;
        case Percentage:
            return x.percentage() < y.percentage() ? -1 : (y.percentage() < x.percentage() ? 1 : 0);
        case Time:
            return x.elapsedSeconds < y.elapsedSeconds ? -1 : (y.elapsedSeconds < x.elapsedSeconds ? 1 : 0);
        case Answered:
            return x.answered - y.answered;
        case Status:
            return int(x.finished) - int(y.finished);
        default:
            return 0;
        }
    };
    std::sort(m_rows.begin(), m_rows.end(), [&](const Attempt& x, const Attempt& y) {
        const int c = less(x, y);
        if (c != 0)
            return order == Qt::AscendingOrder ? c < 0 : c > 0;
        return newerFirst(x, y);
    });

    QModelIndexList after;
    for (size_t k = 0; k < beforeIds.size(); ++k) {
        const int row = rowOf(beforeIds[k]);
        after << (row < 0 ? QModelIndex() : index(row, before[qsizetype(k)].column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int HistoryModel::rowOf(qint64 id) const
{
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].id == id)
            return int(i);
    }
    return -1;
}

} // namespace zelvora::attempts

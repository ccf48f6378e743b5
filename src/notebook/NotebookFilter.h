#pragma once
// The notebook's filters: paper, board, subject, year and status, each
// either any value or one value. counts() gives, for one field, how many
// questions each of its values holds among the questions the other filters
// let through, so every choice shows what it would leave.
#include "notebook/NotebookItem.h"

#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace zelvora::notebook {

class NotebookFilter {
public:
    enum class Field { Paper, Board, Subject, Year, Status };
    static constexpr Field Fields[] = {Field::Paper, Field::Board, Field::Subject, Field::Year, Field::Status};

    void set(Field field, std::optional<QString> value);
    std::optional<QString> value(Field field) const;
    void clear() { m_values.clear(); }

    // The field's text for an item (the status as NotebookFilter::StatusKey).
    static QString ValueOf(const NotebookItem& item, Field field);
    // The status as a filter value: the outcome's digit, or "L" for a leech.
    static QString StatusKey(const NotebookItem& item);

    bool matches(const NotebookItem& item) const;
    // Same, ignoring the filter on field.
    bool matchesExcept(const NotebookItem& item, Field field) const;
    std::vector<NotebookItem> apply(const std::vector<NotebookItem>& items) const;
    std::map<QString, int> counts(const std::vector<NotebookItem>& items, Field field) const;

private:
    std::map<Field, QString> m_values;
};

} // namespace zelvora::notebook

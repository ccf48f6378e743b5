#include "notebook/NotebookFilter.h"

namespace zelvora::notebook {

void NotebookFilter::set(Field field, std::optional<QString> value)
{
    if (value)
        m_values[field] = *value;
    else
        m_values.erase(field);
}

std::optional<QString> NotebookFilter::value(Field field) const
{
    if (auto it = m_values.find(field); it != m_values.end())
        return it->second;
    return std::nullopt;
}

QString NotebookFilter::StatusKey(const NotebookItem& item)
{
    return item.schedule.leech ? QStringLiteral("L") : QString::number(int(item.status));
}

QString NotebookFilter::ValueOf(const NotebookItem& item, Field field)
{
    switch (field) {
    case Field::Paper:
        return item.paperName;
    case Field::Board:
        return item.board;
    case Field::Subject:
        return item.subject;
    case Field::Year:
        return item.year;
    case Field::Status:
        return StatusKey(item);
    }
    return {};
}

bool NotebookFilter::matchesExcept(const NotebookItem& item, Field except) const
{
    for (const auto& [field, value] : m_values)
        if (field != except && ValueOf(item, field) != value)
            return false;
    return true;
}

bool NotebookFilter::matches(const NotebookItem& item) const
{
    for (const auto& [field, value] : m_values)
        if (ValueOf(item, field) != value)
            return false;
    return true;
}

std::vector<NotebookItem> NotebookFilter::apply(const std::vector<NotebookItem>& items) const
{
    std::vector<NotebookItem> out;
    for (const NotebookItem& it : items)
        if (matches(it))
            out.push_back(it);
    return out;
}

std::map<QString, int> NotebookFilter::counts(const std::vector<NotebookItem>& items, Field field) const
{
    std::map<QString, int> out;
    for (const NotebookItem& it : items)
        if (matchesExcept(it, field))
            ++out[ValueOf(it, field)];
    return out;
}

} // namespace zelvora::notebook

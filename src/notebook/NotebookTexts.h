#pragma once
// Every Portuguese text of the mistakes notebook, in one place.
#include "notebook/NotebookCode.h"
#include "notebook/NotebookItem.h"

#include <QString>

#include <string>

namespace zelvora::notebook {

class NotebookTexts {
public:
    static QString Status(const NotebookItem& item);
    // For a status filter value (NotebookFilter::StatusKey).
    static QString StatusOfKey(const QString& key);
    static QString Failure(NotebookCode code, const std::string& detail);
    // "Para revisar hoje (N)"
    static QString DueToday(int count);
    // "(sem disciplina)" and the like for an empty group name.
    static QString GroupName(const QString& name);
    static QString Due(const NotebookItem& item, int64_t today);
};

} // namespace zelvora::notebook

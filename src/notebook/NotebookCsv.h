#pragma once
// The notebook's table as CSV, in the history CSV's conventions (HistoryCsv:
// UTF-8 with a byte-order mark, ";" and the decimal comma in Portuguese,
// every field quoted, formula-safe), rows in the table's current order.
#include <QByteArray>
#include <QLocale>
#include <QString>

namespace zelvora::notebook {

class NotebookTableModel;

class NotebookCsv {
public:
    static QByteArray Make(const NotebookTableModel& model, const QLocale& locale);
    static bool Save(const NotebookTableModel& model, const QLocale& locale, const QString& path,
                     QString* error = nullptr);
};

} // namespace zelvora::notebook

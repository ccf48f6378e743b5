#include "notebook/NotebookCsv.h"

#include "attempts/HistoryCsv.h"
#include "notebook/NotebookTableModel.h"

namespace zelvora::notebook {

using attempts::HistoryCsv;

QByteArray NotebookCsv::Make(const NotebookTableModel& model, const QLocale& locale)
{
    QStringList header;
    for (int c = 0; c < NotebookTableModel::ColumnCount; ++c)
        header << model.headerData(c, Qt::Horizontal).toString();
    header << QStringLiteral("Gabarito") << QStringLiteral("Facilidade");
    std::vector<QStringList> rows;
    for (const NotebookItem& it : model.rows()) {
        QStringList row;
        for (int c = 0; c < NotebookTableModel::ColumnCount; ++c)
            row << model.text(it, c);
        row << it.keyLetter() << HistoryCsv::Number(it.schedule.ease, locale);
        rows.push_back(row);
    }
    return HistoryCsv::MakeTable(header, rows, locale);
}

bool NotebookCsv::Save(const NotebookTableModel& model, const QLocale& locale, const QString& path, QString* error)
{
    return HistoryCsv::SaveBytes(Make(model, locale), path, error);
}

} // namespace zelvora::notebook

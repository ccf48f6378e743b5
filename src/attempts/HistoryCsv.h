#pragma once
// The history table as a CSV file a spreadsheet opens as it stands:
//  - UTF-8 with a byte-order mark, so accented names are read right;
//  - where the locale's decimal point is a comma (pt_BR), fields are split by
//    ";" and numbers use the comma; elsewhere "," and the point;
//  - every field in double quotes, a quote inside doubled; lines end in CR LF;
//  - a text that starts with =, +, - or @ gets a leading apostrophe, so a
//    spreadsheet never runs it as a formula;
//  - dates as yyyy-MM-dd HH:mm (local time), the time in seconds and the
//    percentage as a plain number with two decimals.
// Rows are written in the model's current order.
#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <vector>

namespace zelvora::attempts {

class HistoryModel;

class HistoryCsv {
public:
    static QByteArray Make(const HistoryModel& model, const QLocale& locale);
    // Writes atomically (QSaveFile); false with the reason in error.
    static bool Save(const HistoryModel& model, const QLocale& locale, const QString& path, QString* error = nullptr);

    static QString Quote(const QString& field);

    // Any table in the same conventions: the header line, then the rows.
    static QByteArray MakeTable(const QStringList& header, const std::vector<QStringList>& rows, const QLocale& locale);
    // v with two decimals and the locale's decimal mark (comma or point).
    static QString Number(double v, const QLocale& locale);
    // Writes bytes atomically (QSaveFile); false with the reason in error.
    static bool SaveBytes(const QByteArray& bytes, const QString& path, QString* error = nullptr);
};

} // namespace zelvora::attempts

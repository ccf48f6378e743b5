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
// Rows are written in the model's current order. When notes says a note for
// any row, a last column "Anotações" holds each row's notes on its paper's
// questions ("Questão 3: rever crase | Questão 7: ...").
#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <vector>

namespace zelvora::attempts {

class HistoryModel;

struct Attempt;

class HistoryCsv {
public:
    // The notes of an attempt's paper, by 1-based question number.
    using Notes = std::function<std::map<int, QString>(const Attempt&)>;

    static QByteArray Make(const HistoryModel& model, const QLocale& locale, const Notes& notes = {});
    // Writes atomically (QSaveFile); false with the reason in error.
    static bool Save(const HistoryModel& model, const QLocale& locale, const QString& path, QString* error = nullptr,
                     const Notes& notes = {});

    static QString Quote(const QString& field);

    // Any table in the same conventions: the header line, then the rows.
    static QByteArray MakeTable(const QStringList& header, const std::vector<QStringList>& rows, const QLocale& locale);
    // v with two decimals and the locale's decimal mark (comma or point).
    static QString Number(double v, const QLocale& locale);
    // Writes bytes atomically (QSaveFile); false with the reason in error.
    static bool SaveBytes(const QByteArray& bytes, const QString& path, QString* error = nullptr);
};

} // namespace zelvora::attempts

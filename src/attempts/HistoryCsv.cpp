#include "attempts/HistoryCsv.h"

#include "attempts/HistoryModel.h"

#include <QSaveFile>

namespace zelvora::attempts {

QString HistoryCsv::Quote(const QString& field)
{
    QString text = field;
    // What a spreadsheet may read as the start of a formula, tab and CR
    // included (some strip them and look again).
    if (!text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.front()))
        text.prepend(QLatin1Char('\''));
    text.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString HistoryCsv::Number(double v, const QLocale& locale)
{
    QString s = QString::number(v, 'f', 2);
    if (locale.decimalPoint() == QLatin1String(","))
        s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

QByteArray HistoryCsv::MakeTable(const QStringList& header, const std::vector<QStringList>& rows, const QLocale& locale)
{
    const QString sep = locale.decimalPoint() == QLatin1String(",") ? QStringLiteral(";") : QStringLiteral(",");
    auto line = [&](const QStringList& fields) {
        QStringList quoted;
        for (const QString& f : fields)
            quoted << Quote(f);
        return quoted.join(sep) + QStringLiteral("\r\n");
    };
    QString out = line(header);
    for (const QStringList& row : rows)
        out += line(row);
    return QByteArray("\xEF\xBB\xBF") + out.toUtf8();
}

bool HistoryCsv::SaveBytes(const QByteArray& bytes, const QString& path, QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QByteArray HistoryCsv::Make(const HistoryModel& model, const QLocale& locale, const Notes& notes)
{
    QStringList rowNotes;
    bool anyNote = false;
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList parts;
        if (notes) {
            for (const auto& [n, note] : notes(model.attempt(row)))
                parts << QStringLiteral("Questão %1: %2").arg(n).arg(note);
        }
        anyNote = anyNote || !parts.isEmpty();
        rowNotes << parts.join(QStringLiteral(" | "));
    }
    QStringList head{QStringLiteral("Data"),        QStringLiteral("Prova"),       QStringLiteral("Acertos"),
                     QStringLiteral("Questões"),    QStringLiteral("Porcentagem"), QStringLiteral("Tempo (s)"),
                     QStringLiteral("Respondidas"), QStringLiteral("Situação")};
    if (anyNote)
        head << QStringLiteral("Anotações");
    std::vector<QStringList> rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const Attempt& a = model.attempt(row);
        QStringList fields{a.startedAt.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")),
                           a.paperName,
                           QString::number(a.hits),
                           QString::number(a.questionCount),
                           Number(a.percentage(), locale),
                           QString::number(a.elapsedSeconds),
                           QString::number(a.answered),
                           HistoryModel::StatusText(a)};
        if (anyNote)
            fields << rowNotes[row];
        rows.push_back(std::move(fields));
    }
    return MakeTable(head, rows, locale);
}

bool HistoryCsv::Save(const HistoryModel& model, const QLocale& locale, const QString& path, QString* error,
                      const Notes& notes)
{
    return SaveBytes(Make(model, locale, notes), path, error);
}

} // namespace zelvora::attempts

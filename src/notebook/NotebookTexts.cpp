#include "notebook/NotebookTexts.h"

#include "notebook/NotebookFilter.h"

#include <QDate>

namespace zelvora::notebook {

QString NotebookTexts::StatusOfKey(const QString& key)
{
    if (key == QLatin1String("L"))
        return QStringLiteral("Estudar a disciplina");
    switch (key.toInt()) {
    case int(Outcome::Right):
        return QStringLiteral("Acertada na revisão");
    case int(Outcome::Wrong):
        return QStringLiteral("Errada");
    case int(Outcome::Blank):
        return QStringLiteral("Em branco");
    case int(Outcome::Guess):
        return QStringLiteral("Chute");
    default:
        return key;
    }
}

QString NotebookTexts::Status(const NotebookItem& item)
{
    return StatusOfKey(NotebookFilter::StatusKey(item));
}

QString NotebookTexts::Failure(NotebookCode code, const std::string& detail)
{
    QString text;
    switch (code) {
    case NotebookCode::Ok:
        return {};
    case NotebookCode::StoreUnavailable:
        text = QStringLiteral("O caderno de erros não está disponível: o histórico não pôde ser aberto.");
        break;
    case NotebookCode::StoreFailed:
        text = QStringLiteral("O caderno de erros não pôde ser lido ou gravado.");
        break;
    case NotebookCode::NotFound:
        text = QStringLiteral("A questão não está mais no caderno de erros.");
        break;
    case NotebookCode::NothingToReview:
        return QStringLiteral("Não há questões para refazer.");
    }
    if (!detail.empty())
        text += QStringLiteral(" (%1)").arg(QString::fromStdString(detail));
    return text;
}

QString NotebookTexts::DueToday(int count)
{
    return QStringLiteral("Para revisar hoje (%1)").arg(count);
}

QString NotebookTexts::GroupName(const QString& name)
{
    return name.isEmpty() ? QStringLiteral("(não informada)") : name;
}

QString NotebookTexts::Due(const NotebookItem& item, int64_t today)
{
    if (item.schedule.dueDay <= today)
        return QStringLiteral("hoje");
    if (item.schedule.dueDay == today + 1)
        return QStringLiteral("amanhã");
    return QDate::fromJulianDay(item.schedule.dueDay).toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace zelvora::notebook

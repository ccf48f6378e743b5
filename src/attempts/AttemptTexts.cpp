#include "attempts/AttemptTexts.h"

namespace zelvora::attempts {

QString AttemptTexts::Duration(qint64 seconds)
{
    seconds = qMax<qint64>(0, seconds);
    const qint64 h = seconds / 3600;
    const qint64 m = (seconds / 60) % 60;
    const qint64 s = seconds % 60;
    if (h > 0)
        return QStringLiteral("%1 h %2 min %3 s")
            .arg(h)
            .arg(m, 2, 10, QLatin1Char('0'))
            .arg(s, 2, 10, QLatin1Char('0'));
    if (m > 0)
        return QStringLiteral("%1 min %2 s").arg(m).arg(s, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1 s").arg(s);
}

QString AttemptTexts::ResumeQuestion(int answered, int questions, qint64 seconds)
{
    const QString count = answered == 1 ? QStringLiteral("1 de %1 questões respondida").arg(questions)
                                        : QStringLiteral("%1 de %2 questões respondidas").arg(answered).arg(questions);
    return QStringLiteral("Esta prova tem uma tentativa interrompida: %1, %2 de prova.\n\n"
                          "Deseja continuar de onde parou?\n"
                          "(Não: começa uma tentativa nova; a anterior fica no histórico.)")
        .arg(count, Duration(seconds));
}

QString AttemptTexts::LeaveQuestion()
{
    return QStringLiteral("Deseja sair da prova em andamento?\n\n"
                          "As respostas ficam guardadas e a prova pode ser retomada depois.");
}

QString AttemptTexts::BlankQuestion(int blanks)
{
    const QString count = blanks == 1 ? QStringLiteral("1 questão está em branco")
                                      : QStringLiteral("%1 questões estão em branco").arg(blanks);
    return QStringLiteral("%1. Deseja finalizar a prova assim mesmo?").arg(count);
}

QString AttemptTexts::Unavailable(const QString& reason)
{
    return QStringLiteral("O histórico de simulados não está disponível: %1.\n\n"
                          "A prova funciona normalmente, mas esta tentativa não será guardada.")
        .arg(reason);
}

} // namespace zelvora::attempts

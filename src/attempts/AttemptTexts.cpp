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

QString AttemptTexts::Reason(const StoreResult& result)
{
    const QString detail = QString::fromStdString(result.detail());
    switch (result.code()) {
    case StoreError::Ok:
        return QString();
    case StoreError::DriverMissing:
        return QStringLiteral("o suporte a SQLite do Qt (QSQLITE) não está instalado");
    case StoreError::FolderNotCreatable:
        return QStringLiteral("a pasta %1 não pode ser criada").arg(detail);
    case StoreError::NotAFile:
        return QStringLiteral("%1 não é um arquivo").arg(detail);
    case StoreError::CannotWrite:
        return QStringLiteral("o arquivo não pode ser aberto para gravação");
    case StoreError::InUse:
        return QStringLiteral("o arquivo está em uso por outro programa");
    case StoreError::DiskFull:
        return QStringLiteral("o disco está cheio");
    case StoreError::DiskIo:
        return QStringLiteral("erro de leitura ou gravação no disco");
    case StoreError::Damaged:
        return QStringLiteral("o arquivo %1 está danificado e não pode ser renomeado").arg(detail);
    case StoreError::NewerVersion:
        return QStringLiteral("o arquivo foi gravado por uma versão mais nova do Zelvora");
    case StoreError::VersionUnreadable:
        return QStringLiteral("a versão do arquivo não pode ser lida");
    case StoreError::NotOpen:
        return QStringLiteral("o arquivo não foi aberto");
    case StoreError::Failed:
        break;
    }
    return QStringLiteral("o arquivo não pôde ser lido ou gravado");
}

QString AttemptTexts::Unavailable(const StoreResult& result)
{
    return QStringLiteral("O histórico de simulados não está disponível: %1.\n\n"
                          "A prova funciona normalmente, mas esta tentativa não será guardada.")
        .arg(Reason(result));
}

QString AttemptTexts::WriteFailed(const StoreResult& result)
{
    return QStringLiteral("Não foi possível gravar no histórico de simulados: %1.\n\n"
                          "A prova continua; as respostas ficam na memória e serão gravadas assim que a "
                          "gravação voltar a funcionar.")
        .arg(Reason(result));
}

QString AttemptTexts::SetAside(const QString& path)
{
    return QStringLiteral("O arquivo do histórico estava danificado e foi guardado como %1; um histórico novo foi "
                          "iniciado.")
        .arg(path);
}

QString AttemptTexts::AnswersLost()
{
    return QStringLiteral("O arquivo do histórico foi recuperado de uma gravação danificada: algumas respostas "
                          "dadas antes se perderam. As tentativas ficam com as respostas que restaram.");
}

QString AttemptTexts::OpenElsewhere()
{
    return QStringLiteral("A tentativa interrompida desta prova está aberta em outra janela do Zelvora.\n\n"
                          "Uma tentativa nova é iniciada aqui.");
}

QString AttemptTexts::HistoryUnavailable(const StoreResult& result)
{
    return QStringLiteral("O histórico não está disponível: %1.").arg(Reason(result));
}

QString AttemptTexts::RemoveFailed(const StoreResult& result)
{
    return QStringLiteral("Não foi possível excluir a tentativa: %1.").arg(Reason(result));
}

QString AttemptTexts::ArchiveFailed(const Result<UserDataArchive::Error>& result)
{
    using Error = UserDataArchive::Error;
    QString why;
    switch (result.code()) {
    case Error::Ok:
        return QString();
    case Error::StoreUnavailable:
        why = QStringLiteral("o histórico de simulados não está disponível");
        break;
    case Error::BackupFailed:
        why = QStringLiteral("não foi possível copiar o histórico de simulados");
        break;
    case Error::CannotWrite:
        why = QStringLiteral("não foi possível gravar %1").arg(QString::fromStdString(result.detail()));
        break;
    case Error::NotAnArchive:
        why = QStringLiteral("o arquivo não é um arquivo zip que o Zelvora consiga ler");
        break;
    case Error::NotOurs:
        why = QStringLiteral("o arquivo não foi feito por \"Exportar meus dados\"");
        break;
    case Error::StoreInArchiveUnreadable:
        why = QStringLiteral("o histórico dentro do arquivo está danificado ou é de uma versão mais nova do Zelvora");
        break;
    case Error::MergeFailed:
        why = QStringLiteral("não foi possível gravar as tentativas no histórico");
        break;
    }
    return QStringLiteral("Não foi possível concluir: %1.").arg(why);
}

QString AttemptTexts::Exported(const QString& path)
{
    return QStringLiteral("Seus dados foram exportados para %1.").arg(path);
}

QString AttemptTexts::Imported(const UserDataArchive::Imported& done)
{
    return QStringLiteral("Dados importados: %1 arquivo(s) restaurado(s), %2 já existia(m) e foi(ram) mantido(s); "
                          "%3 tentativa(s) acrescentada(s) ao histórico, %4 já estava(m) nele.")
        .arg(done.filesRestored)
        .arg(done.filesKept)
        .arg(done.attemptsAdded)
        .arg(done.attemptsKnown);
}

} // namespace zelvora::attempts

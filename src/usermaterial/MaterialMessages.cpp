#include "usermaterial/MaterialMessages.h"

#include "mockexam/AnswerKeyText.h"
#include "text/DataFile.h"

#include <QDir>

namespace zelvora::usermaterial {

namespace {

QString FieldName(char digit)
{
    switch (MaterialField(digit - '0')) {
    case MaterialField::PaperName:
        return QStringLiteral("O nome da prova");
    case MaterialField::Organisation:
        return QStringLiteral("A organização");
    case MaterialField::ExamType:
        return QStringLiteral("O tipo de prova");
    case MaterialField::Year:
        return QStringLiteral("O ano");
    }
    return QStringLiteral("O campo");
}

QString FieldText(MaterialCode code, const QString& what, const QString& shown)
{
    switch (code) {
    case MaterialCode::FieldEmpty:
        return QStringLiteral("%1 não pode ficar em branco.").arg(what);
    case MaterialCode::FieldHasHash:
        return QStringLiteral("%1 não pode conter \"#\": o Zelvora usa esse caractere para separar os campos.")
            .arg(what);
    case MaterialCode::FieldHasControl:
        return QStringLiteral("%1 não pode conter quebras de linha nem caracteres de controle.").arg(what);
    case MaterialCode::FieldNotCp1252:
        return QStringLiteral("%1 tem o caractere \"%2\", que não cabe nos arquivos do Zelvora "
                              "(Windows-1252). Troque-o por outro.")
            .arg(what, shown);
    default:
        return {};
    }
}

} // namespace

QString MaterialMessages::Field(const MaterialResult& check, const QString& what)
{
    return FieldText(check.code(), what, QString::fromStdString(check.detail()));
}

QString MaterialMessages::Text(MaterialCode code, const std::string& detail)
{
    const QString path = QDir::toNativeSeparators(QString::fromStdString(detail));
    switch (code) {
    case MaterialCode::Ok:
        return {};
    case MaterialCode::FieldEmpty:
    case MaterialCode::FieldHasHash:
    case MaterialCode::FieldHasControl:
    case MaterialCode::FieldNotCp1252:
        return FieldText(code, FieldName(detail.empty() ? '9' : detail[0]),
                         QString::fromStdString(detail.empty() ? detail : detail.substr(1)));
    case MaterialCode::KeyNotOptions:
        return QStringLiteral("O gabarito só pode ter respostas de A a E.");
    case MaterialCode::KeyEmpty:
        return QStringLiteral("O gabarito está vazio.");
    case MaterialCode::KeyTooLong:
        return QStringLiteral("O gabarito tem %1 respostas: %2")
            .arg(QString::fromStdString(detail), QString::fromStdString(mockexam::AnswerKeyText::TooManyQuestions()));
    case MaterialCode::FileMissing:
        return QStringLiteral("O arquivo %1 não existe.").arg(path);
    case MaterialCode::NotAFile:
        return QStringLiteral("%1 não é um arquivo comum.").arg(path);
    case MaterialCode::TooLarge:
        return QStringLiteral("O arquivo %1 passa de %2 MiB, o maior tamanho de prova que o Zelvora abre; "
                              "nada foi copiado.")
            .arg(path)
            .arg(text::DataFile::PaperCap >> 20);
    case MaterialCode::Unreadable:
        return QStringLiteral("O arquivo %1 não pode ser lido.").arg(path);
    case MaterialCode::NotAPdf:
        return QStringLiteral("O arquivo %1 não é um PDF que o Zelvora consiga abrir; nada foi copiado.").arg(path);
    case MaterialCode::NotAZip:
        return detail.empty() ? QStringLiteral("Este arquivo não é um zip que o Zelvora consiga ler.")
                              : QStringLiteral("Este arquivo não é um zip que o Zelvora consiga ler (%1).")
                                    .arg(QString::fromStdString(detail));
    case MaterialCode::ZipEmpty:
        return QStringLiteral("O arquivo zip não tem nenhum arquivo dentro (ou não pôde ser lido).");
    case MaterialCode::CannotWrite:
        return QStringLiteral("Não foi possível gravar na pasta %1.").arg(path);
    case MaterialCode::FolderBusy:
        return QStringLiteral("Outro programa está gravando na pasta %1; tente de novo.").arg(path);
    case MaterialCode::PaperNotUsers:
        return QStringLiteral("Esta prova não foi adicionada por você; ela não pode ser removida.");
    case MaterialCode::ExamNotUsers:
        return QStringLiteral("Este exame não foi adicionado por você; ele não pode ser removido.");
    }
    return {};
}

} // namespace zelvora::usermaterial

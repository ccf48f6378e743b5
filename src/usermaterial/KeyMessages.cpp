#include "usermaterial/KeyMessages.h"

namespace zelvora::usermaterial {

QString KeyMessages::Text(mockexam::KeyReadCode code, const std::string& detail)
{
    using mockexam::KeyReadCode;
    switch (code) {
    case KeyReadCode::Ok:
        break;
    case KeyReadCode::Missing:
        return QStringLiteral("O arquivo do gabarito não existe.");
    case KeyReadCode::Unreadable:
        return QStringLiteral("O arquivo do gabarito não pode ser lido.");
    case KeyReadCode::NotAPdf:
        return QStringLiteral("O arquivo não é um PDF que o Zelvora consiga abrir.");
    case KeyReadCode::NoText:
        return QStringLiteral("O PDF não tem texto (talvez seja uma imagem escaneada): cole o gabarito como texto.");
    case KeyReadCode::NoAnswers:
        // A pasted key says in its own words what did not fit.
        return detail.empty() ? QStringLiteral("Nenhum gabarito foi encontrado no texto.")
                              : QString::fromStdString(detail);
    case KeyReadCode::Incomplete: {
        const auto colon = detail.rfind(": ");
        const QString number = QString::fromStdString(colon == std::string::npos ? detail : detail.substr(colon + 2));
        const QString title = colon == std::string::npos ? QString() : QString::fromStdString(detail.substr(0, colon));
        return title.isEmpty() ? QStringLiteral("Falta a questão %1.").arg(number)
                               : QStringLiteral("Falta a questão %1 em \"%2\".").arg(number, title);
    }
    }
    return {};
}

} // namespace zelvora::usermaterial

#include "KeyCheck.h"

#include "CheckJson.h"
#include "mockexam/AnswerKeyPdf.h"
#include "mockexam/AnswerKeyText.h"
#include "text/DataFile.h"
#include "text/Windows1252.h"

#include <QFile>

namespace zelvora::check {

using mockexam::KeyReadCode;

std::string KeyCheck::Reason(KeyReadCode code, const std::string& detail)
{
    switch (code) {
    case KeyReadCode::Ok:
        break;
    case KeyReadCode::Missing:
        return "o arquivo não existe";
    case KeyReadCode::Unreadable:
        return "o arquivo não pode ser lido (não é um arquivo comum, é grande demais ou está protegido)";
    case KeyReadCode::NotAPdf:
        return "o arquivo não é um PDF que o Zelvora consiga abrir";
    case KeyReadCode::NoText:
        return "o PDF não tem texto (é uma imagem escaneada?)";
    case KeyReadCode::NoAnswers:
        return "nenhum gabarito encontrado no texto";
    case KeyReadCode::Incomplete: {
        const auto colon = detail.rfind(": ");
        const std::string title = colon == std::string::npos ? std::string() : detail.substr(0, colon);
        const std::string number = colon == std::string::npos ? detail : detail.substr(colon + 2);
        return "falta a questão " + number + (title.empty() ? std::string() : " em \"" + title + "\"");
    }
    }
    return {};
}

std::string KeyCheck::Json(const mockexam::KeySheet& sheet)
{
    std::string out = "{\"sections\": [";
    for (size_t s = 0; s < sheet.sections.size(); ++s) {
        const auto& section = sheet.sections[s];
        out += s ? ", " : "";
        out += "{\"title\": " + JsonString(section.title) + ", \"answers\": [";
        for (size_t i = 0; i < section.answers.size(); ++i)
            out += (i ? ", " : "") + JsonString(section.answers[i]);
        out += "], \"annulled\": [";
        for (size_t i = 0; i < section.annulled.size(); ++i)
            out += (i ? ", " : "") + std::to_string(section.annulled[i]);
        out += "]}";
    }
    out += "]}\n";
    return out;
}

int KeyCheck::Run(const QString& path, bool json, std::ostream& out, std::ostream& err)
{
    const std::string name = QFile::encodeName(path).toStdString();
    auto bytes = text::DataFile::Read(name, text::DataFile::PaperCap);
    ResultOf<mockexam::KeySheet, KeyReadCode> sheet = ResultOf<mockexam::KeySheet, KeyReadCode>::Fail(
        QFile::exists(path) ? KeyReadCode::Unreadable : KeyReadCode::Missing);
    if (bytes) {
        if (bytes->rfind("%PDF", 0) == 0 || bytes->find("%PDF-") < 1024) {
            sheet = mockexam::AnswerKeyPdf::Read(path);
        } else {
            const std::string text = text::IsValidUtf8(*bytes) ? *bytes : text::Cp1252ToUtf8(*bytes);
            sheet = mockexam::AnswerKeyText::ReadSheet(text);
        }
    }
    if (!sheet) {
        err << "zelvora-check: " << name << ": " << Reason(sheet.code(), sheet.detail()) << ".\n";
        return 1;
    }
    if (json) {
        out << Json(sheet.value());
        return 0;
    }
    for (const auto& section : sheet->sections) {
        out << (section.title.empty() ? std::string("(sem título)") : section.title) << '\n';
        out << "  " << section.answers.size() << " questões, "
            << (section.rightWrong ? "certo ou errado" : "opções de A a E") << '\n';
        std::string line = " ";
        for (size_t i = 0; i < section.answers.size(); ++i) {
            line += ' ' + std::to_string(i + 1) + '-' + section.answers[i];
            if (line.size() > 70 || i + 1 == section.answers.size()) {
                out << line << '\n';
                line = " ";
            }
        }
        if (!section.annulled.empty()) {
            out << "  anuladas:";
            for (size_t i = 0; i < section.annulled.size(); ++i)
                out << (i ? ", " : " ") << section.annulled[i];
            out << '\n';
        }
    }
    return 0;
}

} // namespace zelvora::check

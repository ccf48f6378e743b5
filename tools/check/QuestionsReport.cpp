#include "QuestionsReport.h"

#include "mockexam/AnswerKey.h"
#include "mockexam/PaperPath.h"
#include "mockexam/QuestionMapper.h"

#include <QFile>
#include <QString>

#include <cstdio>
#include <iostream>

namespace zelvora::check {

namespace {

// y with one decimal, a point as separator, whatever the locale.
std::string Number(double y)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", y);
    std::string s = buffer;
    for (char& c : s) {
        if (c == ',')
            c = '.';
    }
    return s;
}

} // namespace

std::string QuestionsReport::Json(const std::vector<mockexam::QuestionPlace>& places)
{
    std::string out = "{\"questions\": [";
    for (std::size_t i = 0; i < places.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += "{\"number\": " + std::to_string(places[i].number) + ", \"page\": " + std::to_string(places[i].page)
            + ", \"y\": " + Number(places[i].y) + "}";
    }
    return out + "]}\n";
}

std::string QuestionsReport::Text(const std::vector<mockexam::QuestionPlace>& places, int expected)
{
    std::string out;
    for (const auto& p : places) {
        std::string y = Number(p.y);
        for (char& c : y) {
            if (c == '.')
                c = ',';
        }
        out += "Questão " + std::to_string(p.number) + ": página " + std::to_string(p.page + 1) + ", y " + y + "\n";
    }
    out += std::to_string(places.size()) + (places.size() == 1 ? " questão encontrada" : " questões encontradas");
    if (expected > 0)
        out += " de " + std::to_string(expected) + " do gabarito";
    return out + ".\n";
}

int QuestionsReport::Run(const std::string& pdfPath, bool json)
{
    int expected = 0;
    if (const auto key = mockexam::AnswerKey::Load(mockexam::PaperPath::KeyPathFor(pdfPath)))
        expected = int(key->size());
    const auto outcome = mockexam::QuestionMapper::Map(QFile::decodeName(pdfPath.c_str()), expected);
    if (!outcome) {
        std::fprintf(stderr, "zelvora-check: \"%s\" não abre como PDF.\n", pdfPath.c_str());
        return 1;
    }
    std::cout << (json ? Json(outcome->places) : Text(outcome->places, expected));
    return 0;
}

} // namespace zelvora::check

#include "SampleCatalog.h"

#include <cctype>
#include <string_view>

// Hand-laid tables of data: kept as written.
// clang-format off

namespace zelvora::sampledata {

namespace {

struct Organisation {
    const char* name;
    const char* code; // short name used in archive names
};

// "Fundação Ventania Sul" contains "Fundação Ventania": picking the shorter one
// in the catalog's organisation list also shows the longer one's exams.
const Organisation Organisations[] = {
    {"Fundação Ventania", "ventania"},
    {"Fundação Ventania Sul", "ventania-sul"},
    {"Instituto Quaresmeira de Seleção", "quaresmeira"},
    {"Centro Carnaúba de Concursos", "carnauba"},
    {"Núcleo Cajuí de Avaliação", "cajui"},
    {"Banca Guará", "guara"},
    {"Comissão Ipê-Roxo", "ipe-roxo"},
};

const char* const ExamTypes[] = {
    "Técnico Judiciário",
    "Analista Judiciário - Área Administrativa",
    "Agente Administrativo",
    "Assistente em Administração",
    "Escriturário",
    "Auditor Fiscal da Receita Municipal",
    "Técnico em Informática",
    "Professor de Língua Portuguesa",
    "Agente de Trânsito",
    "Técnico em Segurança do Trabalho",
};

struct Row {
    const char* year;
    int organisation;
    int examType;
};

// Written in no particular order: the program sorts the catalog itself.
const Row Rows[] = {
    {"2010", 0, 0}, {"2010", 1, 1}, {"2010", 2, 3}, {"2010", 3, 2}, {"2010", 4, 5},
    {"2010", 5, 4}, {"2010", 6, 6}, {"2010", 0, 7}, {"2010", 3, 8},
    {"2009", 0, 1}, {"2009", 1, 0}, {"2009", 2, 2}, {"2009", 4, 6}, {"2009", 5, 3},
    {"2009", 6, 7}, {"2009", 3, 9},
    {"2008", 0, 2}, {"2008", 2, 0}, {"2008", 3, 4}, {"2008", 4, 1}, {"2008", 5, 6},
    {"2008", 6, 5},
    // A second round of the same year: the year filter "2008" shows it too.
    {"2008 - 2ª fase", 0, 2}, {"2008 - 2ª fase", 3, 4}, {"2008 - 2ª fase", 4, 1},
    {"2007", 0, 0}, {"2007", 1, 3}, {"2007", 2, 5}, {"2007", 5, 4}, {"2007", 6, 2},
    {"2007", 4, 8},
    {"2006", 0, 6}, {"2006", 1, 2}, {"2006", 2, 3}, {"2006", 3, 0}, {"2006", 5, 7},
    {"2005", 0, 4}, {"2005", 2, 1}, {"2005", 4, 2}, {"2005", 6, 3}, {"2005", 1, 9},
    {"2004", 0, 3}, {"2004", 3, 7}, {"2004", 5, 0}, {"2004", 6, 8}, {"2004", 2, 4},
};

// Portuguese letters outside ASCII, as UTF-8, and their plain forms.
const std::pair<std::string_view, char> Plain[] = {
    {"á", 'a'}, {"à", 'a'}, {"â", 'a'}, {"ã", 'a'}, {"é", 'e'}, {"ê", 'e'}, {"í", 'i'},
    {"ó", 'o'}, {"ô", 'o'}, {"õ", 'o'}, {"ú", 'u'}, {"ü", 'u'}, {"ç", 'c'}, {"ª", 'a'},
    {"º", 'o'}, {"Á", 'a'}, {"É", 'e'}, {"Í", 'i'}, {"Ó", 'o'}, {"Ú", 'u'}, {"Ç", 'c'},
};

} // namespace

std::string SampleCatalog::Slug(const std::string& utf8)
{
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        char c = 0;
        std::size_t length = 1;
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            c = std::isalnum(byte) ? static_cast<char>(std::tolower(byte)) : '-';
        } else {
            for (const auto& [letter, plain] : Plain) {
                if (std::string_view(utf8).substr(i, letter.size()) == letter) {
                    c = plain;
                    length = letter.size();
                    break;
                }
            }
            if (c == 0) { // not a letter we know: skip the whole sequence
                while (i + length < utf8.size() && (static_cast<unsigned char>(utf8[i + length]) & 0xC0) == 0x80)
                    ++length;
                c = '-';
            }
        }
        if (c != '-' || (!out.empty() && out.back() != '-'))
            out += c;
        i += length;
    }
    while (!out.empty() && out.back() == '-')
        out.pop_back();
    return out;
}

std::vector<SampleExam> SampleCatalog::Exams()
{
    std::vector<SampleExam> exams;
    for (const Row& row : Rows) {
        const Organisation& organisation = Organisations[row.organisation];
        SampleExam exam;
        exam.organisation = organisation.name;
        exam.examType = ExamTypes[row.examType];
        exam.year = row.year;
        exam.archiveName = std::string(organisation.code) + "-" + Slug(exam.examType) + "-" + Slug(row.year) + ".zip";
        exams.push_back(std::move(exam));
    }
    return exams;
}

std::vector<MockPaper> SampleCatalog::MockPapers()
{
    // Display names keep to the width of the paper selector.
    return {
        {"Técnico Judiciário - Fundação Ventania - 2010", "ventania-tecnico-judiciario-2010.pdf",
         {"Fundação Ventania", "Técnico Judiciário", "2010", "3 horas"}, 30},
        {"Agente Administrativo - Centro Carnaúba - 2008", "2008\\prova01.pdf",
         {"Centro Carnaúba de Concursos", "Agente Administrativo", "2008", "2 horas"}, 20},
        {"Analista Judiciário - Fundação Ventania Sul - 2010", "analista-judiciario-2010.pdf",
         {"Fundação Ventania Sul", "Analista Judiciário - Área Administrativa", "2010", "4 horas"}, 40},
        {"Escriturário - Banca Guará - 2007", "escriturario-2007.pdf",
         {"Banca Guará", "Escriturário", "2007", "3 horas"}, 25},
        {"Auditor Fiscal - Núcleo Cajuí - 2010", "auditor-fiscal-2010.pdf",
         {"Núcleo Cajuí de Avaliação", "Auditor Fiscal da Receita Municipal", "2010", "4 horas e 30 minutos"}, 60},
        {"Assistente em Administração - Inst. Quaresmeira - 2006", "assistente-administracao-2006.pdf",
         {"Instituto Quaresmeira de Seleção", "Assistente em Administração", "2006", "3 horas"}, 35},
        // Right/wrong items, one wrong item cancelling one right one.
        {"Técnico Judiciário - Ipê-Roxo - 2009 (Certo/Errado)", "tecnico-judiciario-certo-errado-2009.pdf",
         {"Comissão Ipê-Roxo", "Técnico Judiciário", "2009", "2 horas e 30 minutos", true, true}, 50},
        // Two questions annulled by the board after the exam.
        {"Agente de Trânsito - Banca Guará - 2009", "agente-de-transito-2009.pdf",
         {"Banca Guará", "Agente de Trânsito", "2009", "3 horas"}, 40, {7, 31}},
        // Laid out as a federal police exam: 120 right/wrong items in a basic
        // and a specific block, each with a minimum, one wrong item
        // cancelling one right one, a minimum for the whole and a cut-off.
        {"Agente de Polícia - Comissão Jatobá - 2021 (C/E)", "agente-de-policia-2021.pdf",
         {"Comissão Jatobá", "Agente de Polícia", "2021", "4 horas e 30 minutos", true, true}, 120, {},
         {"bloco=Conhecimentos Básicos: 1-60; peso=1; minimo=12",
          "bloco=Conhecimentos Específicos: 61-120; peso=1; minimo=18", "minimo=48", "corte=61,5"}},
    };
}

} // namespace zelvora::sampledata
// clang-format on

#include "CatalogGenerator.h"

#include "text/Folding.h"
#include "text/Windows1252.h"

#include <algorithm>
#include <random>

// Hand-laid tables of data: kept as written.
// clang-format off

namespace {

std::vector<std::string> Organisations()
{
    std::vector<std::string> out = {
        "Fundação Carlos Chagas", "CESPE/UnB", "Fundação Getúlio Vargas", "VUNESP", "ESAF",
        "Fundação Cesgranrio", "NCE/UFRJ", "FUNRIO", "IBFC", "Instituto AOCP", "Banco do Brasil",
        "Caixa Econômica Federal", "Polícia Federal", "Receita Federal do Brasil",
        "Ministério Público da União", "Assembléia Legislativa de Minas Gerais",
        "Agência Nacional de Águas", "Petrobras", "Correios", "Tribunal Superior Eleitoral",
        "Superior Tribunal de Justiça", "Câmara dos Deputados", "Senado Federal",
        "Defensoria Pública da União", "Advocacia-Geral da União", "INSS", "IBGE",
        "Banco Central do Brasil", "BNDES", "Eletrobrás"};
    for (int r = 1; r <= 24; ++r)
        out.push_back("Tribunal Regional do Trabalho da " + std::to_string(r) + "ª Região");
    for (int r = 1; r <= 5; ++r)
        out.push_back("Tribunal Regional Federal da " + std::to_string(r) + "ª Região");
    const char* states[] = {"Acre", "Alagoas", "Amapá", "Amazonas", "Bahia", "Ceará",
                            "Distrito Federal", "Espírito Santo", "Goiás", "Maranhão",
                            "Mato Grosso", "Mato Grosso do Sul", "Minas Gerais", "Pará",
                            "Paraíba", "Paraná", "Pernambuco", "Piauí", "Rio de Janeiro",
                            "Rio Grande do Norte", "Rio Grande do Sul", "Rondônia", "Roraima",
                            "Santa Catarina", "São Paulo", "Sergipe", "Tocantins"};
    for (const char* s : states) {
        out.push_back(std::string("Tribunal de Justiça - ") + s);
        out.push_back(std::string("Secretaria da Fazenda - ") + s);
    }
    const char* cities[] = {"Belo Horizonte", "São José dos Campos", "Florianópolis", "Niterói",
                            "Maceió", "Vitória", "Goiânia", "Cuiabá", "Ribeirão Preto",
                            "Uberlândia", "Londrina", "Jundiaí", "Petrópolis", "Caruaru",
                            "Mossoró", "Imperatriz", "Santarém", "Macapá", "Boa Vista",
                            "Chapecó"};
    for (const char* c : cities)
        out.push_back(std::string("Prefeitura Municipal de ") + c);
    return out;
}

std::vector<std::string> ExamTypes()
{
    const char* jobs[] = {"Analista Judiciário", "Técnico Judiciário", "Auditor-Fiscal",
                          "Agente de Polícia", "Escrivão de Polícia", "Delegado de Polícia",
                          "Professor de Língua Portuguesa", "Professor de Matemática",
                          "Médico Clínico Geral", "Engenheiro Civil", "Contador",
                          "Técnico em Informática", "Analista de Sistemas",
                          "Assistente Administrativo", "Oficial de Justiça Avaliador",
                          "Procurador", "Defensor Público", "Escriturário", "Técnico Bancário",
                          "Agente Administrativo", "Enfermeiro", "Economista"};
    const char* areas[] = {"", " - Área Administrativa", " - Área Judiciária",
                           " - Tecnologia da Informação", " - Nível Médio", " - Nível Superior"};
    std::vector<std::string> out;
    for (const char* j : jobs)
        for (const char* a : areas)
            out.push_back(std::string(j) + a);
    return out;
}

std::string Slug(const std::string& cp1252, size_t maxLength)
{
    std::string out;
    for (const char c : zelvora::text::RemoveAcentos(cp1252)) {
        if (out.size() >= maxLength)
            break;
        const auto b = uint8_t(c);
        if ((b >= 'a' && b <= 'z') || (b >= '0' && b <= '9'))
            out += c;
        else if (b >= 'A' && b <= 'Z')
            out += char(b + 0x20);
        else if (!out.empty() && out.back() != '_')
            out += '_';
    }
    return out;
}

// Another spelling of the same text under a case-insensitive comparison.
std::string ChangeCase(const std::string& line, std::mt19937& rng)
{
    if (rng() % 2)
        return zelvora::text::UpperCase1252(line);
    std::string out = line;
    for (char& c : out) {
        const auto b = uint8_t(c);
        if (b >= 'A' && b <= 'Z')
            c = char(b + 0x20);
        else if (b >= 0xC0 && b <= 0xDE && b != 0xD7)
            c = char(b + 0x20);
    }
    return out;
}

} // namespace

std::string CatalogGenerator::generate(size_t lineCount, unsigned duplicatePercent)
{
    using zelvora::text::Utf8ToCp1252;
    std::mt19937 rng(m_seed);
    std::vector<std::string> orgs, types;
    for (const auto& o : Organisations())
        orgs.push_back(Utf8ToCp1252(o));
    for (const auto& t : ExamTypes())
        types.push_back(Utf8ToCp1252(t));

    const size_t duplicates = lineCount * duplicatePercent / 100;
    const size_t originals = lineCount - duplicates;
    std::vector<std::string> lines;
    lines.reserve(lineCount);
    for (size_t i = 0; i < originals; ++i) {
        const std::string& org = orgs[rng() % orgs.size()];
        const std::string& type = types[rng() % types.size()];
        const std::string year = std::to_string(1995 + rng() % 30);
        // The number keeps every line distinct, as real archive names are.
        const std::string archive = Slug(org, 12) + "_" + Slug(type, 16) + "_" + year + "_"
                                    + std::to_string(100000 + i) + ".zip";
        lines.push_back(org + "#" + type + "#" + year + "#" + archive);
    }
    for (size_t i = 0; i < duplicates; ++i)
        lines.push_back(ChangeCase(lines[rng() % originals], rng));
    std::shuffle(lines.begin(), lines.end(), rng);
    m_distinct = originals;

    std::string out;
    for (const auto& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}
// clang-format on

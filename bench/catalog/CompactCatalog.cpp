#include "CompactCatalog.h"

std::string CompactCatalog(size_t lineCount, uint32_t seed)
{
    // clang-format off
    static const char* const orgs[] = {"Funda\xe7\xe3o Ventania", "Banca Guar\xe1", "N\xfa" "cleo Caju\xed",
                                       "Centro Carna\xfa" "ba", "Instituto Ip\xea"};
    static const char* const types[] = {"T\xe9" "cnico Judici\xe1rio", "Analista", "Escritur\xe1rio",
                                        "Agente de Tr\xe2nsito"};
    // clang-format on
    std::string text, previous;
    for (size_t i = 0; i < lineCount; ++i) {
        seed = seed * 1103515245u + 12345u;
        const size_t org = (seed >> 8) % 5, type = (seed >> 12) % 4, year = 1990 + (seed >> 16) % 36;
        std::string line = std::string(orgs[org]) + ' ' + std::to_string(i % 997) + '#' + types[type] + '#'
            + std::to_string(year) + "#prova-" + std::to_string(i) + ".zip";
        if (i % 20 == 19) {
            line = previous;
            for (char& c : line)
                if (c >= 'a' && c <= 'z')
                    c = char(c - 'a' + 'A');
        }
        text += line + "\r\n";
        previous = std::move(line);
    }
    return text;
}

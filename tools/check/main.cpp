// zelvora-check [DADOS | --dados DADOS | --todas] [--json]: checks a Zelvora
// data folder and tells, in Portuguese, what a user would trip on. Without a
// folder it takes ZELVORA_DADOS, as the program does, else the installed folder
// the program reads (beside it, or share/zelvora/dados of the install prefix);
// --todas checks every folder the program reads (the user's own and the
// installed one). Exit 0 when nothing would fail for a user, 1 when something
// would, 2 on a wrong command line. zelvora-check --gabarito KEY.pdf [--json]
// prints what the key reader finds in a board's answer-key PDF instead.
#include "app/DataFolders.h"
#include "app/InfoOptions.h"
#include "CheckJson.h"
#include "DataFolderCheck.h"
#include "KeyCheck.h"
#include "QtImageProbe.h"
#include "QuestionsReport.h"
#include "text/PtBrCollation.h"

#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

namespace {

void Usage(std::FILE* to)
{
    std::fputs("Uso: zelvora-check [PASTA_DADOS | --dados PASTA_DADOS | --todas] [--json]\n"
               "     zelvora-check --questoes PROVA.pdf [--json]\n"
               "     zelvora-check --gabarito GABARITO.pdf [--json]\n"
               "Verifica a pasta de dados do Zelvora (catálogo, arquivos zip, simulados,\n"
               "gabaritos e imagens) sem escrever nada nela. Sem pasta, usa ZELVORA_DADOS\n"
               "ou, sem ela, a pasta instalada que o programa lê: \"dados\" ao lado dele ou\n"
               "share/zelvora/dados do prefixo de instalação. --todas verifica as pastas\n"
               "que o Zelvora lê: a sua e a instalada. --questoes mostra onde começa cada\n"
               "questão da prova (página a partir de 0, y em pontos do topo da página).\n"
               "--gabarito mostra as respostas e as questões anuladas que o Zelvora lê\n"
               "no PDF do gabarito da banca.\n",
               to);
}

// The data folder the installed programs read, found from this program's
// own resolved path, as the program finds its own.
std::string InstalledDataFolder()
{
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return zelvora::app::ComputeDataFolders(ec ? std::string() : self.string()).dataFolder;
}

int CheckOne(const std::string& folder, bool json);

} // namespace

int main(int argc, char** argv)
{
    std::string folder;
    bool json = false;
    bool all = false;
    std::string paper;
    std::string key;
    bool keyGiven = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0) {
            json = true;
        } else if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            Usage(stdout);
            return 0;
        } else if (std::strcmp(argv[i], "--version") == 0) {
            std::puts(zelvora::app::VersionLine("zelvora-check").c_str());
            return 0;
        } else if (std::strcmp(argv[i], "--questoes") == 0 && i + 1 < argc && paper.empty()) {
            paper = argv[++i];
        } else if (std::strcmp(argv[i], "--gabarito") == 0 && i + 1 < argc && !keyGiven) {
            key = argv[++i];
            keyGiven = true;
        } else if (std::strncmp(argv[i], "--gabarito=", 11) == 0 && !keyGiven) {
            key = argv[i] + 11;
            keyGiven = true;
        } else if (std::strcmp(argv[i], "--todas") == 0) {
            all = true;
        } else if (std::strcmp(argv[i], "--dados") == 0 && i + 1 < argc && folder.empty()) {
            folder = argv[++i];
        } else if (std::strncmp(argv[i], "--dados=", 8) == 0 && folder.empty()) {
            folder = argv[i] + 8;
        } else if (folder.empty() && argv[i][0] != '-') {
            folder = argv[i];
        } else {
            Usage(stderr);
            return 2;
        }
    }
    if (!paper.empty()) {
        if (!folder.empty() || all || keyGiven) {
            Usage(stderr);
            return 2;
        }
        QCoreApplication app(argc, argv);
        return zelvora::check::QuestionsReport::Run(paper, json);
    }
    if (keyGiven) {
        if (!folder.empty() || all || key.empty()) {
            Usage(stderr);
            return 2;
        }
        QCoreApplication app(argc, argv);
        return zelvora::check::KeyCheck::Run(QFile::decodeName(key.c_str()), json, std::cout, std::cerr);
    }
    if (folder.empty() && !all)
        if (const char* env = std::getenv("ZELVORA_DADOS"))
            folder = env;
    if (folder.empty() && !all)
        folder = InstalledDataFolder();
    if (!folder.empty() && all) {
        Usage(stderr);
        return 2;
    }

    // QCoreApplication gives the collation and the image reader their
    // locale and plug-ins; no window is made.
    QCoreApplication app(argc, argv);
    std::error_code ec;
    if (folder.empty()) {
        // The folders the program itself would read.
        zelvora::app::DataSourceRequest request;
        request.userFolder =
            QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).toStdString()
            + "/zelvora/dados/";
        request.installedFolders = zelvora::app::InstalledDataFolderCandidates(
            QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString());
        const auto choice = zelvora::app::ChooseDataSources(request, [](const std::string& f) {
            std::error_code e;
            return std::filesystem::is_directory(f, e);
        });
        std::vector<std::string> existing;
        for (const auto& s : choice.sources)
            if (std::filesystem::is_directory(s.folder, ec))
                existing.push_back(s.folder);
        if (existing.empty() || (json && existing.size() > 1)) {
            if (existing.empty()) {
                std::fputs("zelvora-check: nenhuma pasta de dados encontrada. Pastas procuradas:\n", stderr);
                for (const auto& f : choice.lookedAt)
                    std::fprintf(stderr, "  %s\n", f.c_str());
            }
            Usage(stderr);
            return 2;
        }
        int worst = 0;
        for (const auto& f : existing) {
            if (existing.size() > 1)
                std::cout << "== " << f << " ==\n";
            worst = std::max(worst, CheckOne(f, json));
        }
        return worst;
    }
    return CheckOne(folder, json);
}

namespace {

int CheckOne(const std::string& folder, bool json)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        std::fprintf(stderr, "zelvora-check: \"%s\" não é uma pasta.\n", folder.c_str());
        return 2;
    }
    const zelvora::text::PtBrCollation collation;
    const zelvora::check::QtImageProbe images;
    auto scratch = std::filesystem::temp_directory_path(ec);
    if (ec)
        scratch = "/tmp";
    const zelvora::check::DataFolderCheck check(collation, images, scratch.string());
    const auto report = check.Run(folder);

    if (json) {
        std::cout << zelvora::check::ToJson(report);
    } else {
        for (const auto& p : report.problems)
            std::cout << p.line() << '\n';
        const size_t errors = report.errorCount(), warnings = report.warningCount();
        std::cout << report.catalog.size() << " provas no catálogo, " << report.papers.size() << " simulados. ";
        if (errors == 0 && warnings == 0)
            std::cout << "Nenhum problema encontrado.\n";
        else
            std::cout << errors << (errors == 1 ? " erro, " : " erros, ") << warnings
                      << (warnings == 1 ? " aviso.\n" : " avisos.\n");
    }
    return report.failed() ? 1 : 0;
}

} // namespace

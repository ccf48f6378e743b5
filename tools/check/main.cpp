// zelvora-check [DADOS] [--json]: checks a Zelvora data folder and tells, in
// Portuguese, what a user would trip on. Without DADOS it checks the folder
// the program reads (beside it, or the installed one). Exit 0 when nothing
// would fail for a user, 1 when something would, 2 on a wrong command line.
#include "CheckJson.h"
#include "DataFolderCheck.h"
#include "QtImageProbe.h"
#include "app/DataFolders.h"
#include "app/InfoOptions.h"
#include "text/PtBrCollation.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

namespace {

void Usage(std::FILE* to)
{
    std::fputs("Uso: zelvora-check [PASTA_DADOS] [--json]\n"
               "Verifica a pasta de dados do Zelvora (catálogo, arquivos zip, simulados,\n"
               "gabaritos e imagens) sem escrever nada nela. Sem PASTA_DADOS, verifica a\n"
               "pasta que o programa lê: \"dados\" ao lado dele ou, quando ela não existe,\n"
               "share/zelvora/dados do prefixo de instalação.\n",
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

} // namespace

int main(int argc, char** argv)
{
    std::string folder;
    bool json = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--json") == 0) {
            json = true;
        } else if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            Usage(stdout);
            return 0;
        } else if (std::strcmp(argv[i], "--version") == 0) {
            std::puts(zelvora::app::VersionLine("zelvora-check").c_str());
            return 0;
        } else if (folder.empty()) {
            folder = argv[i];
        } else {
            Usage(stderr);
            return 2;
        }
    }
    if (folder.empty())
        folder = InstalledDataFolder();
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec)) {
        std::fprintf(stderr, "zelvora-check: \"%s\" não é uma pasta.\n", folder.c_str());
        return 2;
    }

    // QCoreApplication gives the collation and the image reader their
    // locale and plug-ins; no window is made.
    QCoreApplication app(argc, argv);
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
        size_t errors = 0, warnings = 0;
        for (const auto& p : report.problems) {
            std::cout << p.line() << '\n';
            (p.error ? errors : warnings)++;
        }
        std::cout << report.catalog.size() << " provas no catálogo, " << report.papers.size()
                  << " simulados. ";
        if (errors == 0 && warnings == 0)
            std::cout << "Nenhum problema encontrado.\n";
        else
            std::cout << errors << (errors == 1 ? " erro, " : " erros, ") << warnings
                      << (warnings == 1 ? " aviso.\n" : " avisos.\n");
    }
    return report.failed() ? 1 : 0;
}

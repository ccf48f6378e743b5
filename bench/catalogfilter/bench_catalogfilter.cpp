// Times the catalog filter and search on a generated catalog of 100,000
// entries: first the Qt-free functions alone, then the catalog window's
// handlers end to end (filter or search, grid model swap, rowArchives,
// column widths, pending layout and a repaint).
//
//   build/bin/bench_catalogfilter [entries]
#include "app/AppContext.h"
#include "app/FindControl.h"
#include "app/MessageBoxes.h"
#include "catalog/CatalogFilter.h"
#include "catalog/TformMain.h"
#include "text/PtBrCollation.h"
#include "text/Windows1252.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

using namespace zelvora;
using namespace zelvora::gui;

namespace {

class SilentMessages final : public app::MessageBoxes {
public:
    void show(QWidget*, const QString&, const QString&) override { ++count; }
    int count = 0;
};

std::vector<std::string> MakeLines(size_t n)
{
    const char* const kinds[] = {"Analista",        "Técnico",   "Auditor-Fiscal", "Agente",     "Escrivão",
                                 "Perito Criminal", "Professor", "Médico",         "Engenheiro", "Oficial de Justiça"};
    const char* const areas[] = {"Judiciário",  "Administrativo", "da Receita", "de Polícia", "Legislativo",
                                 "de Trânsito", "Ambiental",      "de Saúde",   "Bancário",   "Previdenciário"};
    const char* const orgs[] = {"CESPE", "FCC",      "Fundação Cesgranrio", "ESAF",  "Vunesp",
                                "FGV",   "NCE-UFRJ", "Consulplan",          "Cetro", "IBFC",
                                "AOCP",  "Funrio"};
    std::mt19937 rng(2024);
    std::vector<std::string> lines;
    lines.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const std::string org = std::string(orgs[rng() % std::size(orgs)]) + " " + std::to_string(rng() % 40);
        const std::string type = std::string(kinds[rng() % std::size(kinds)]) + " " + areas[rng() % std::size(areas)];
        const std::string year = std::to_string(1990 + rng() % 35);
        lines.push_back(text::Utf8ToCp1252(org + "#" + type + "#" + year + "#prova" + std::to_string(i) + ".zip"));
    }
    return lines;
}

double MedianMs(const std::function<void()>& run, int times = 15)
{
    std::vector<double> ms;
    for (int i = 0; i < times; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        run();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    const size_t n = argc > 1 ? std::stoul(argv[1]) : 100000;

    text::PtBrCollation collation;
    const auto lines = MakeLines(n);
    auto t0 = std::chrono::steady_clock::now();
    const catalog::Catalog cat = catalog::Catalog::FromLines(lines, collation);
    const double loadMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    std::printf("catalog: %zu entries, %zu organisations, %zu exam types, %zu years; sorted load %.0f ms\n", cat.size(),
                cat.organisations().size(), cat.examTypes().size(), cat.years().size(), loadMs);

    size_t hits = 0;
    const auto bench = [&](const char* what, const std::function<std::vector<size_t>()>& f) {
        const double ms = MedianMs([&] { hits = f().size(); });
        std::printf("%-44s %8zu rows %8.2f ms\n", what, hits, ms);
    };
    std::printf("\nQt-free functions (median of 15):\n");
    bench("filter year \"2008\"", [&] { return catalog::FilterByField(cat, catalog::CatalogField::Year, "2008"); });
    bench("filter organisation \"FCC\"",
          [&] { return catalog::FilterByField(cat, catalog::CatalogField::Organisation, "FCC"); });
    bench("filter exam type \"Analista\"",
          [&] { return catalog::FilterByField(cat, catalog::CatalogField::ExamType, "Analista"); });
    bench("search \"tecnico\" (many hits)", [&] { return catalog::SearchCatalog(cat, "tecnico"); });
    bench("search \"judiciario\"", [&] { return catalog::SearchCatalog(cat, text::Utf8ToCp1252("judiciário")); });
    bench("search \"zzz\" (no hit)", [&] { return catalog::SearchCatalog(cat, "zzz"); });
    bench("search, 10,000-character term", [&] { return catalog::SearchCatalog(cat, std::string(10000, 'a')); });

    // The window over the same catalog, read from a data folder as at start-up.
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("dados"));
    {
        QFile f(dir.filePath("dados/nomes.txt"));
        if (!f.open(QIODevice::WriteOnly))
            return 1;
        for (const auto& l : lines) {
            f.write(l.data(), qint64(l.size()));
            f.write("\r\n");
        }
    }
    SilentMessages messages;
    app::AppContext ctx;
    ctx.executablePath = dir.filePath("zelvora");
    ctx.messages = &messages;
    ctx.collation = &collation;
    TformMain w(ctx);
    auto* comboAno = Control<QComboBox>(&w, "comboAno");
    auto* comboOrg = Control<QComboBox>(&w, "comboOrg");
    auto* editLocalizar = Control<QLineEdit>(&w, "editLocalizar");
    auto* gridProvas = Control<QTableView>(&w, "gridProvas");
    t0 = std::chrono::steady_clock::now();
    w.FormCreate();
    const double createMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    w.show();
    QCoreApplication::processEvents();
    std::printf("\ncatalog window creation (load + lists + first year): %.0f ms\n", createMs);

    const auto handler = [&](const char* what, const std::function<void()>& f) {
        const double ms = MedianMs([&] {
            f();
            QCoreApplication::processEvents(); // the view's delayed layout
            gridProvas->viewport()->repaint();
        });
        std::printf("%-44s %8d rows %8.2f ms\n", what, int(w.rowArchives().size()), ms);
    };
    std::printf("\nWindow handlers with model swap, layout and repaint (median of 15):\n");
    const int year2008 = comboAno->findText("2008");
    handler("comboAnoChange \"2008\"", [&] {
        comboAno->setCurrentIndex(year2008);
        w.comboAnoChange();
    });
    comboOrg->setCurrentIndex(0);
    const QString firstOrg = comboOrg->currentText();
    handler(qPrintable("comboOrgChange \"" + firstOrg + "\""), [&] {
        comboOrg->setCurrentIndex(0);
        w.comboOrgChange();
    });
    handler("buttonOKClick \"tecnico\"", [&] {
        editLocalizar->setText("tecnico");
        w.buttonOKClick();
    });
    handler("buttonOKClick \"a\" (every entry)", [&] {
        editLocalizar->setText("a");
        w.buttonOKClick();
    });
    handler("buttonOKClick \"zzz\" (no hit)", [&] {
        editLocalizar->setText("zzz");
        w.buttonOKClick();
    });
    w.FormDestroy();
    return 0;
}

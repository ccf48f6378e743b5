// Zelvora: practice for Brazil's public-service entrance exams.
#include "app/InfoOptions.h"
#include "app/QuitSignals.h"
#include "app/ZelvoraApplication.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

namespace {

const char* const HelpText = "Uso: zelvora [--help] [--version]\n"
                             "Zelvora: catálogo de provas de concursos públicos, cópia do material de uma\n"
                             "prova e simulados com cronômetro, correção e resultado.\n"
                             "\n"
                             "Lê a pasta \"dados\" ao lado do programa ou, quando ela não existe, a pasta\n"
                             "share/zelvora/dados do prefixo de instalação (no pacote Debian,\n"
                             "/usr/share/zelvora/dados). Nunca escreve nela.\n"
                             "\n"
                             "  -h, --help   mostra esta ajuda e termina\n"
                             "  --version    mostra a versão e termina\n"
                             "\n"
                             "Manual: man zelvora\n";

} // namespace

int main(int argc, char** argv)
{
    // Answered before the application object exists, so they work without a
    // display.
    switch (zelvora::app::FindInfoOption(argc, argv)) {
    case zelvora::app::InfoOption::Help:
        std::fputs(HelpText, stdout);
        return 0;
    case zelvora::app::InfoOption::Version:
        std::puts(zelvora::app::VersionLine("zelvora").c_str());
        return 0;
    case zelvora::app::InfoOption::None:
        break;
    }

    // From here on SIGTERM and SIGHUP end the program cleanly.
    zelvora::app::QuitSignals::Install();
    zelvora::app::ZelvoraApplication app(argc, argv);
    zelvora::app::QuitSignals quitSignals;

    // The program speaks Portuguese: Qt's own dialogs (the save dialog of the
    // exam copy, message box buttons) follow, when the translation is there.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    app.createWindows();
    // A signal during start-up: the windows are destroyed as after "Sair".
    QCoreApplication::processEvents();
    if (quitSignals.requested())
        return 0;
    return app.run();
}

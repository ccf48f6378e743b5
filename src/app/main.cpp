// Zelvora: practice for Brazil's public-service entrance exams.
#include "app/ZelvoraApplication.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv)
{
    zelvora::app::ZelvoraApplication app(argc, argv);

    // The program speaks Portuguese: Qt's own dialogs (the save dialog of the
    // exam copy, message box buttons) follow, when the translation is there.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    app.createWindows();
    return app.run();
}

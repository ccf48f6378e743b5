#pragma once
// What every window of the program shares: the application title, the two
// content folders, the message boxes and the collation, plus the windows
// themselves so they can show one another. One instance is made at start-up
// and handed to every window; tests make their own.
#include <QString>

#include <functional>
#include <memory>

namespace zelvora::text { class Collation; }

namespace zelvora::gui {
class TformMain;
class TformCreditos;
class TformSimul;
class TformResultado;
class TformAguarde;
class TformAbre;
class TformHistorico;
} // namespace zelvora::gui

namespace zelvora::attempts {
class AttemptStore;
} // namespace zelvora::attempts

namespace zelvora::app {

class MessageBoxes;

struct AppWindows {
    gui::TformMain* main = nullptr;
    gui::TformCreditos* creditos = nullptr;
    gui::TformSimul* simul = nullptr;
    gui::TformResultado* resultado = nullptr;
    gui::TformAguarde* aguarde = nullptr;
    gui::TformAbre* abre = nullptr;
    // Made the first time the history is asked for.
    gui::TformHistorico* historico = nullptr;
};

struct AppContext {
    QString title = QStringLiteral("Zelvora");
    // Full path of the running executable; the data folder is computed from it.
    QString executablePath;
    // Both end in "/". Written once by the catalog window's creation.
    QString dataFolder;
    QString mockExamFolder;

    MessageBoxes* messages = nullptr;
    const text::Collation* collation = nullptr;
    AppWindows windows;
    // Every mock-exam attempt; may be null (nothing is kept) or closed (the
    // store could not be opened; it says why).
    attempts::AttemptStore* attempts = nullptr;

    // Lets pending window events run during long work (the zip extraction).
    std::function<void()> processEvents;
};

} // namespace zelvora::app

#pragma once
// What every window of the program shares: the application title, the two
// content folders, the message boxes and the collation, plus the kit's three
// small windows (splash, wait, credits). A feature's window never reaches
// another feature's window through here: it emits a request the application
// connects. One instance is made at start-up and handed to every window;
// tests make their own.
#include "app/DataFolders.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace zelvora::text {
class Collation;
} // namespace zelvora::text

namespace zelvora::gui {
class TformCreditos;
class TformAguarde;
class TformAbre;
} // namespace zelvora::gui

namespace zelvora::attempts {
class AttemptStore;
} // namespace zelvora::attempts

namespace zelvora::app {

class MessageBoxes;

struct AppWindows {
    gui::TformCreditos* creditos = nullptr;
    gui::TformAguarde* aguarde = nullptr;
    gui::TformAbre* abre = nullptr;
};

struct AppContext {
    QString title = QStringLiteral("Zelvora");
    // Full path of the running executable; the data folder is computed from it.
    QString executablePath;
    // Both end in "/". Written once by the catalog window's creation.
    // dataFolder is where the skins come from (the first folder that has
    // them); mockExamFolder is its "simu".
    QString dataFolder;
    QString mockExamFolder;

    // The folder given with --dados or ZELVORA_DADOS; empty when none.
    QString fixedFolder;
    // Every folder content is read from, the user's own first; each catalog
    // and mock-exam entry names its folder by index into this list. Empty
    // until the folders are located (LocateDataFolders).
    std::vector<DataSource> sources;
    // The folders tried, for the message when none was found.
    QStringList lookedAt;
    // The user's own folder, where added material goes; empty when the
    // program is fixed to one folder.
    QString userFolder;

    // The mock-exam folder of every source, in source order; just
    // mockExamFolder when no sources were located.
    QStringList mockExamFolders() const
    {
        QStringList out;
        for (const auto& s : sources)
            out << QString::fromStdString(s.mockExamFolder());
        if (out.isEmpty() && !mockExamFolder.isEmpty())
            out << mockExamFolder;
        return out;
    }
    // The data folder of source i (dataFolder when unknown).
    QString folderOf(size_t source) const
    {
        return source < sources.size() ? QString::fromStdString(sources[source].folder) : dataFolder;
    }
    // Whether source i is the user's own folder (its material can be removed).
    bool isUserSource(size_t source) const { return source < sources.size() && sources[source].user; }

    MessageBoxes* messages = nullptr;
    const text::Collation* collation = nullptr;
    AppWindows windows;
    // Every mock-exam attempt; may be null (nothing is kept) or closed (the
    // store could not be opened; it says why).
    attempts::AttemptStore* attempts = nullptr;

    // Lets pending window events run during long work (the zip extraction).
    std::function<void()> processEvents;

    // Takes a new answer key for the paper at absolutePdfPath (from the data
    // folder dataFolder) and scores its kept attempts again; true when the
    // key was replaced. Set by the application; empty in tests that do not
    // need it.
    std::function<bool(QWidget* owner, const QString& absolutePdfPath, const QString& dataFolder,
                       const QString& paperName)>
        updateKey;
};

} // namespace zelvora::app

#pragma once
// Asked at start-up when no data folder exists at all: a message that names
// the folders looked at and lets the user choose one (or leave).
#include <QString>
#include <QStringList>

namespace zelvora::app {

class DataFolderPrompt {
public:
    // The message's text for the folders looked at.
    static QString Text(const QStringList& lookedAt);
    // Shows the message and, on "Escolher pasta...", a folder chooser.
    // Returns the folder chosen, or an empty text when the user leaves.
    static QString Ask(const QStringList& lookedAt, const QString& caption);
};

} // namespace zelvora::app

#pragma once
// A message box stand-in for tests: records each text and caption instead of
// showing a box, so a test can read what the user would have seen.
#include "app/MessageBoxes.h"

#include <QList>
#include <QPair>
#include <QString>

class RecordingMessageBoxes final : public zelvora::app::MessageBoxes {
public:
    void show(QWidget*, const QString& text, const QString& caption) override { shown.append({text, caption}); }
    QList<QPair<QString, QString>> shown;
};

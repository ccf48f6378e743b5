#pragma once
// Message boxes that record what they would have shown, for tests.
#include "app/MessageBoxes.h"

#include <QList>
#include <QPair>

class RecordingMessageBoxes final : public zelvora::app::MessageBoxes {
public:
    void show(QWidget*, const QString& text, const QString& caption) override { shown.append({text, caption}); }
    // Text and caption of every box, in order.
    QList<QPair<QString, QString>> shown;

    int count(const QString& text) const
    {
        int n = 0;
        for (const auto& m : shown)
            n += m.first == text;
        return n;
    }
};

#pragma once
// Message boxes that record their texts instead of waiting for a click, and
// whether the wait window was still on screen when each one appeared.
#include "app/MessageBoxes.h"

#include <QStringList>
#include <QWidget>

#include <functional>

class RecordingMessages final : public zelvora::app::MessageBoxes {
public:
    void show(QWidget*, const QString& text, const QString& caption) override
    {
        texts << text;
        captions << caption;
        waitVisible << (waitWindow && waitWindow->isVisible());
    }
    // Questions are recorded too and answered from answers, in order;
    // "Sim" once it is empty.
    bool ask(QWidget*, const QString& text, const QString&) override
    {
        questions << text;
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    // Notices with an extra button are recorded apart, with the button's
    // text; the button is chosen when offerAnswer says so.
    bool offer(QWidget*, const QString& text, const QString&, const QString& actionText) override
    {
        offers << text;
        offerActions << actionText;
        return offerAnswer;
    }
    void clear()
    {
        offers.clear();
        offerActions.clear();
        questions.clear();
        texts.clear();
        captions.clear();
        waitVisible.clear();
    }

    QWidget* waitWindow = nullptr;
    QStringList texts;
    QStringList captions;
    QList<bool> waitVisible;
    QStringList questions;
    QList<bool> answers;
    QStringList offers;
    QStringList offerActions;
    bool offerAnswer = false;
};

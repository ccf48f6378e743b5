#pragma once
// The one message-box stand-in of the tests: records every text and caption
// instead of showing a box, answers questions from a queue, and notes whether
// a given window (the wait window) was on screen when each box appeared.
#include "app/MessageBoxes.h"

#include <QList>
#include <QStringList>
#include <QWidget>

class RecordingMessages final : public zelvora::app::MessageBoxes {
public:
    void show(QWidget*, const QString& text, const QString& caption) override
    {
        texts << text;
        captions << caption;
        waitVisible << (waitWindow && waitWindow->isVisible());
    }
    // Questions are recorded and answered from answers, in order; with the
    // queue empty, by answer.
    bool ask(QWidget*, const QString& text, const QString&) override
    {
        questions << text;
        return answers.isEmpty() ? answer : answers.takeFirst();
    }
    // Notices with an extra button are recorded with the button's text, and
    // among the shown texts too unless offersApart; the button is chosen when
    // offerAnswer says so.
    bool offer(QWidget* owner, const QString& text, const QString& caption, const QString& actionText) override
    {
        offers << text;
        offerActions << actionText;
        if (!offersApart)
            show(owner, text, caption);
        return offerAnswer;
    }
    // How many boxes showed exactly text.
    int count(const QString& text) const { return int(texts.count(text)); }
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
    bool answer = true;
    QStringList offers;
    QStringList offerActions;
    bool offerAnswer = false;
    bool offersApart = false;
};

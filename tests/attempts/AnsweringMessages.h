#pragma once
// Message boxes for tests: records every message and question and answers
// the questions from a queue ("Sim" when the queue is empty).
#include "app/MessageBoxes.h"

#include <QList>
#include <QStringList>

class AnsweringMessages final : public zelvora::app::MessageBoxes {
public:
    void show(QWidget*, const QString& text, const QString&) override { messages << text; }
    bool ask(QWidget*, const QString& text, const QString&) override
    {
        questions << text;
        return answers.isEmpty() ? true : answers.takeFirst();
    }
    QStringList messages;
    QStringList questions;
    QList<bool> answers;
};

#pragma once
// Every message the program shows goes through this interface, so tests can
// read the texts instead of clicking boxes away.
#include <QString>

class QWidget;

namespace zelvora::app {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A plain information box with one OK button; returns when it is closed.
    virtual void show(QWidget* owner, const QString& text, const QString& caption) = 0;
    // A question with "Sim" and "Não"; true for "Sim". Closing the box
    // answers "Não". Doubles that ask nothing answer "Sim".
    virtual bool ask(QWidget* owner, const QString& text, const QString& caption)
    {
        (void)owner;
        (void)text;
        (void)caption;
        return true;
    }
    // A question whose "Sim" deletes something: "Não" is the default, so
    // Enter pressed out of habit keeps what would go. Doubles that ask
    // nothing answer as ask() does.
    virtual bool askToDelete(QWidget* owner, const QString& text, const QString& caption)
    {
        return ask(owner, text, caption);
    }
    // An information box with an extra button (actionText) beside OK; true
    // when the user chose that button. A box that cannot ask shows the text
    // and answers false.
    virtual bool offer(QWidget* owner, const QString& text, const QString& caption, const QString& actionText)
    {
        (void)actionText;
        show(owner, text, caption);
        return false;
    }
};

class QtMessageBoxes final : public MessageBoxes {
public:
    void show(QWidget* owner, const QString& text, const QString& caption) override;
    bool ask(QWidget* owner, const QString& text, const QString& caption) override;
    bool askToDelete(QWidget* owner, const QString& text, const QString& caption) override;
    bool offer(QWidget* owner, const QString& text, const QString& caption, const QString& actionText) override;
};

} // namespace zelvora::app

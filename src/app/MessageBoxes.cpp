#include "app/MessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace zelvora::app {

void QtMessageBoxes::show(QWidget* owner, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, owner);
    box.exec();
}

namespace {

bool Ask(QWidget* owner, const QString& text, const QString& caption, QMessageBox::StandardButton byDefault)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setObjectName(QStringLiteral("question"));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Sim"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Não"));
    box.setDefaultButton(byDefault);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

bool QtMessageBoxes::ask(QWidget* owner, const QString& text, const QString& caption)
{
    return Ask(owner, text, caption, QMessageBox::Yes);
}

bool QtMessageBoxes::askToDelete(QWidget* owner, const QString& text, const QString& caption)
{
    return Ask(owner, text, caption, QMessageBox::No);
}

bool QtMessageBoxes::offer(QWidget* owner, const QString& text, const QString& caption, const QString& actionText)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, owner);
    QPushButton* action = box.addButton(actionText, QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == action;
}

} // namespace zelvora::app

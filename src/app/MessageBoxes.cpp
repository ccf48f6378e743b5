#include "app/MessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace zelvora::app {

void QtMessageBoxes::show(QWidget* owner, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, owner);
    box.exec();
}

bool QtMessageBoxes::ask(QWidget* owner, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setObjectName(QStringLiteral("question"));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Sim"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Não"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
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

#include "app/MessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace zelvora::app {

void QtMessageBoxes::show(QWidget* owner, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, owner);
    box.exec();
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

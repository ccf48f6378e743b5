#include "app/MessageBoxes.h"

#include <QMessageBox>

namespace zelvora::app {

void QtMessageBoxes::show(QWidget* owner, const QString& text, const QString& caption)
{
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, owner);
    box.exec();
}

} // namespace zelvora::app

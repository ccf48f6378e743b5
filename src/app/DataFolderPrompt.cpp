#include "app/DataFolderPrompt.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace zelvora::app {

QString DataFolderPrompt::Text(const QStringList& lookedAt)
{
    QString text = QStringLiteral("Nenhuma pasta de dados do Zelvora foi encontrada. Pastas procuradas:\n");
    for (const auto& folder : lookedAt)
        text += QStringLiteral("\n    ") + QDir::toNativeSeparators(folder);
    text += QStringLiteral("\n\nEscolha a pasta \"dados\" do Zelvora, ou saia do programa.");
    return text;
}

QString DataFolderPrompt::Ask(const QStringList& lookedAt, const QString& caption)
{
    QMessageBox box(QMessageBox::Warning, caption, Text(lookedAt));
    box.setObjectName(QStringLiteral("dataFolderPrompt"));
    QPushButton* choose = box.addButton(QStringLiteral("Escolher pasta..."), QMessageBox::AcceptRole);
    choose->setObjectName(QStringLiteral("btEscolherPasta"));
    QPushButton* leave = box.addButton(QStringLiteral("Sair"), QMessageBox::RejectRole);
    leave->setObjectName(QStringLiteral("btSairPrompt"));
    box.setDefaultButton(choose);
    box.exec();
    if (box.clickedButton() != choose)
        return {};
    return QFileDialog::getExistingDirectory(nullptr, QStringLiteral("Pasta de dados do Zelvora"), QDir::homePath(),
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}

} // namespace zelvora::app

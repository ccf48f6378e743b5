#include "catalog/ExamCopyDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>

namespace zelvora::gui {

ExamCopyDialog::ExamCopyDialog(QWidget* parent)
    : QFileDialog(parent)
{
    setWindowTitle(QStringLiteral("Copiar para..."));
    setOption(QFileDialog::DontUseNativeDialog, true);
    setOption(QFileDialog::DontConfirmOverwrite, true);
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    // The pattern is empty in the original filter entry; "*" shows every
    // file and keeps desktop portals from refusing the dialog.
    setNameFilter(QStringLiteral("Nova pasta do Windows (*)"));
    // The list shows the entry's description alone, without the pattern.
    setOption(QFileDialog::HideNameFilterDetails, true);
    setDefaultSuffix(QString());
}

void ExamCopyDialog::suggestName(const QString& name)
{
    m_suggested = name;
    m_existingFolder.clear();
    selectFile(name);
}

void ExamCopyDialog::accept()
{
    const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QString typed = edit ? edit->text() : QString();
    if (!m_suggested.isEmpty() && typed == m_suggested) {
        const QString path = QDir(directory()).absoluteFilePath(typed);
        if (QFileInfo(path).isDir()) {
            m_existingFolder = path;
            QDialog::accept();
            return;
        }
    }
    QFileDialog::accept();
}

QString ExamCopyDialog::chosenPath() const
{
    if (!m_existingFolder.isEmpty())
        return m_existingFolder;
    return selectedFiles().value(0);
}

} // namespace zelvora::gui

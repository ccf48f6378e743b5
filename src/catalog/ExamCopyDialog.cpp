#include "catalog/ExamCopyDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTreeView>

namespace zelvora::gui {

ExamCopyDialog::ExamCopyDialog(QWidget* parent) : QFileDialog(parent)
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
    // The buttons carry the names the user's guide gives them, whether or
    // not Qt's Portuguese translation is installed.
    setLabelText(QFileDialog::Accept, QStringLiteral("Salvar"));
    setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
    // Opens in the user's documents folder, never in the folder the program
    // was started from; later copies open where the last one went, since the
    // dialog keeps its folder.
    setDirectory(StartFolder());
    // Room for the file names and readable columns beside them.
    resize(780, 480);
    if (auto* view = findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = view->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
}

QString ExamCopyDialog::StartFolder()
{
    for (const auto location : {QStandardPaths::DocumentsLocation, QStandardPaths::HomeLocation}) {
        const QString folder = QStandardPaths::writableLocation(location);
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
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

#include "catalog/ExamCopy.h"

#include "app/MessageBoxes.h"
#include "catalog/ExamCopyDialog.h"
#include "catalog/ExamExtraction.h"
#include "zip/TUnZipper.h"

#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QUrl>
#include <QWidget>

namespace zelvora::catalog {

namespace {

const QString kCopyError = QStringLiteral("Erro ao copiar o arquivo.");

} // namespace

ExamCopy::ExamCopy(app::AppContext& ctx, QWidget* owner) : m_ctx(ctx), m_owner(owner)
{
    zip::TUnZipperCallbacks callbacks;
    callbacks.processMessages = [this] {
        if (m_ctx.processEvents)
            m_ctx.processEvents();
    };
    callbacks.waitCursor = [this](bool on) {
        if (on) {
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
            ++m_waitCursors;
        } else if (m_waitCursors > 0) {
            QGuiApplication::restoreOverrideCursor();
            --m_waitCursors;
        }
    };
    callbacks.messageBox = [this](const std::string& text, const std::string& caption) {
        if (m_ctx.messages)
            m_ctx.messages->show(m_owner, QString::fromStdString(text), QString::fromStdString(caption));
    };
    m_unzipper = std::make_unique<zip::TUnZipper>(std::move(callbacks));
    m_unzipper->OverwriteMode = zip::TUZOverwriteMode::Always;
    m_unzipper->DoAll = true;
}

ExamCopy::~ExamCopy() = default;

gui::ExamCopyDialog& ExamCopy::dialog()
{
    // Made at the first copy: a file dialog costs more to build than the
    // rest of the catalog window, and start-up does not need it.
    if (!m_dialog)
        m_dialog = new gui::ExamCopyDialog(m_owner);
    return *m_dialog;
}

void ExamCopy::Run(const QString& topLeftCell, const ExamCopyRow& selected, const std::vector<std::string>& rowArchives)
{
    if (topLeftCell.isEmpty() || m_busy)
        return;
    // Cleared when the copy ends, whichever way it ends.
    const QScopedValueRollback busy(m_busy, true);

    // The cells show the entry's fields, so joining them gives the same
    // name as joining the fields themselves.
    dialog().suggestName(QString::fromStdString(ExamExtraction::SuggestedName(
        selected.organisation.toStdString(), selected.examType.toStdString(), selected.year.toStdString())));
    if (m_dialog->exec() != QDialog::Accepted)
        return;
    const QString dest = m_dialog->chosenPath();
    if (dest.isEmpty())
        return;
    // The next copy's dialog opens where this one went, also when the user
    // typed a whole path.
    m_dialog->setDirectory(QFileInfo(dest).absolutePath());

    // A row without an archive (the blank row of an empty grid) copies nothing.
    if (selected.row < 0 || size_t(selected.row) >= rowArchives.size()) {
        Fail();
        return;
    }
    const QString folder = m_rowFolder ? m_rowFolder(selected.row) : m_ctx.dataFolder;
    const std::string archive = ExamExtraction::ArchivePath(QFile::encodeName(folder).toStdString(),
                                                            rowArchives[size_t(selected.row)]);

    ExamExtraction extraction(*m_unzipper);
    const ExamExtractionResult result = extraction.Extract(archive, QFile::encodeName(dest).toStdString());
    // Whatever way the reader ended, the user gets the normal cursor back.
    while (m_waitCursors > 0) {
        QGuiApplication::restoreOverrideCursor();
        --m_waitCursors;
    }
    if (!result.complete()) {
        Fail();
        return;
    }
    Done(dest);
}

void ExamCopy::Done(const QString& dest)
{
    if (!m_ctx.messages)
        return;
    const QString text = QStringLiteral("Prova copiada para a pasta:\n%1").arg(QDir::toNativeSeparators(dest));
    if (m_ctx.messages->offer(m_owner, text, m_ctx.title, QStringLiteral("Abrir pasta")))
        QDesktopServices::openUrl(QUrl::fromLocalFile(dest));
}

void ExamCopy::Fail()
{
    if (m_ctx.messages)
        m_ctx.messages->show(m_owner, kCopyError, m_ctx.title);
}

} // namespace zelvora::catalog

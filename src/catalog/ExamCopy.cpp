#include "catalog/ExamCopy.h"

#include "app/MessageBoxes.h"
#include "catalog/ExamCopyDialog.h"
#include "catalog/ExamExtraction.h"
#include "zip/TUnZipper.h"

#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QScopedValueRollback>
#include <QWidget>

namespace zelvora::catalog {

namespace {

const QString kCopyError = QStringLiteral("Erro ao copiar o arquivo.");

} // namespace

ExamCopy::ExamCopy(app::AppContext& ctx, QWidget* owner)
    : m_ctx(ctx)
    , m_owner(owner)
    , m_dialog(new gui::ExamCopyDialog(owner))
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

void ExamCopy::Run(const QString& topLeftCell, const ExamCopyRow& selected,
                   const std::vector<std::string>& rowArchives)
{
    if (topLeftCell.isEmpty() || m_busy)
        return;
    // Cleared when the copy ends, whichever way it ends.
    const QScopedValueRollback busy(m_busy, true);

    // The cells show the entry's fields, so joining them gives the same
    // name as joining the fields themselves.
    m_dialog->suggestName(QString::fromStdString(ExamExtraction::SuggestedName(
        selected.organisation.toStdString(), selected.examType.toStdString(), selected.year.toStdString())));
    if (m_dialog->exec() != QDialog::Accepted)
        return;
    const QString dest = m_dialog->chosenPath();
    if (dest.isEmpty())
        return;

    if (selected.row < 0) {
        Fail();
        return;
    }
    std::string archive;
    try {
        archive = ExamExtraction::ArchivePath(QFile::encodeName(m_ctx.dataFolder).toStdString(),
                                              rowArchives, size_t(selected.row));
    } catch (...) {
        Fail();
        return;
    }

    ExamExtraction extraction(*m_unzipper);
    const ExamExtractionResult result =
        extraction.Extract(archive, QFile::encodeName(dest).toStdString());
    // Whatever way the reader ended, the user gets the normal cursor back.
    while (m_waitCursors > 0) {
        QGuiApplication::restoreOverrideCursor();
        --m_waitCursors;
    }
    if (!result.complete())
        Fail();
}

void ExamCopy::Fail()
{
    if (m_ctx.messages)
        m_ctx.messages->show(m_owner, kCopyError, m_ctx.title);
}

} // namespace zelvora::catalog

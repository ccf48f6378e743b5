#include "catalog/ExamCopy.h"

#include "app/MessageBoxes.h"
#include "catalog/ExamCopyDialog.h"
#include "catalog/ExamExtraction.h"
#include "zip/TUnZipper.h"

#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QWidget>

namespace zelvora::catalog {

namespace {

const QString kCopyError = QStringLiteral("Erro ao copiar o arquivo.");

// Clears a flag when the copy ends, whichever way it ends.
struct BusyGuard {
    bool& flag;
    explicit BusyGuard(bool& f) : flag(f) { flag = true; }
    ~BusyGuard() { flag = false; }
};

} // namespace

ExamCopy::ExamCopy(app::AppContext& ctx, QWidget* owner)
    : m_ctx(ctx)
    , m_owner(owner)
    , m_dialog(new ExamCopyDialog(owner))
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
    BusyGuard guard(m_busy);

    // The cells show the entry's fields, so joining them gives the same
    // name as joining the fields themselves.
    m_dialog->suggestName(selected.organisation + QStringLiteral(" - ") + selected.examType
                          + QStringLiteral(" - ") + selected.year);
    if (m_dialog->exec() != QDialog::Accepted)
        return;
    const QString dest = m_dialog->chosenPath();
    if (dest.isEmpty())
        return;

    std::string archive;
    try {
        if (selected.row < 0)
            throw std::out_of_range("no row selected");
        const QString folder = m_rowFolder ? m_rowFolder(selected.row) : m_ctx.dataFolder;
        archive = ExamExtraction::ArchivePath(QFile::encodeName(folder).toStdString(),
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

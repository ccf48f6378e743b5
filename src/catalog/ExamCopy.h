#pragma once
// Copying an exam out of its archive (the catalog window's copy button and
// its grid's double click): asks for the destination in the save dialog and
// has the window's zip reader write the archive's files there.
#include "app/AppContext.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QWidget;
namespace zelvora::gui {
class ExamCopyDialog;
} // namespace zelvora::gui

namespace zelvora::zip {
class TUnZipper;
} // namespace zelvora::zip

namespace zelvora::catalog {

// One grid row as the copy sees it: the three cells and the row's number.
struct ExamCopyRow {
    QString examType; // column 0
    QString organisation; // column 1
    QString year; // column 2
    int row = 0;
};

class ExamCopy {
public:
    // owner: the catalog window, parent of the dialog and of the messages.
    ExamCopy(app::AppContext& ctx, QWidget* owner);
    ~ExamCopy();

    // The catalog window's one zip reader (OverwriteMode Always, DoAll true).
    zip::TUnZipper& unzipper() { return *m_unzipper; }
    // sDialog, the save dialog "Copiar para..." (made when first asked for).
    gui::ExamCopyDialog& dialog();

    // The whole copy. topLeftCell is the grid's cell at row 0, column 0: when
    // it is empty the grid shows no entry and nothing happens. rowArchives
    // are the archive names of the grid's rows.
    void Run(const QString& topLeftCell, const ExamCopyRow& selected, const std::vector<std::string>& rowArchives);

    // The data folder holding the archive of a grid row (the catalog shows
    // the exams of several folders). Without it every archive is looked for
    // in the context's dataFolder.
    void setRowFolder(std::function<QString(int row)> rowFolder) { m_rowFolder = std::move(rowFolder); }

    // True while a copy runs (pending events are processed meanwhile, so the
    // copy button can be pressed again; such a press is ignored).
    bool busy() const { return m_busy; }

private:
    void Fail();
    // Says where the files went and offers to open that folder.
    void Done(const QString& dest);

    app::AppContext& m_ctx;
    QWidget* m_owner;
    std::unique_ptr<zip::TUnZipper> m_unzipper;
    gui::ExamCopyDialog* m_dialog = nullptr; // owned by m_owner
    std::function<QString(int row)> m_rowFolder;
    bool m_busy = false;
    int m_waitCursors = 0; // wait cursors set by the reader and not yet restored
};

} // namespace zelvora::catalog

#pragma once
// A read-only view of one paper that can be brought to one of its questions.
// Windows that show a question in its paper hold one; the application hands
// them the exam window's own viewer (with the paper's question map) through a
// PaperPaneFactory, so a window of one feature never includes another's.
#include <QString>
#include <QWidget>

#include <functional>

namespace zelvora::gui {

class PaperPane : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Shows the paper at pdfPath from its first page; false when it cannot
    // be opened. questionCount is its key's length, 0 when unknown.
    virtual bool openPaper(const QString& pdfPath, int questionCount) = 0;
    // Brings question (0-based) of the open paper into view, as soon as
    // where it starts is known; the paper stays where it is otherwise.
    virtual void showQuestion(int question) = 0;
};

// Makes a pane inside parent.
using PaperPaneFactory = std::function<PaperPane*(QWidget* parent)>;

} // namespace zelvora::gui

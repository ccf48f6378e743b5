#pragma once
// The exam window's paper viewer as a read-only pane for other windows (the
// mistakes notebook's question and review windows): a paper opened in it is
// mapped as the exam window maps its papers (the map kept in the attempt
// store), and each question asked for is brought to where it starts.
#include "app/PaperPane.h"

namespace zelvora::attempts {
class AttemptStore;
} // namespace zelvora::attempts

namespace zelvora::gui {

class PaperNavigator;
class TPdfViewer;

class QuestionPaperPane : public PaperPane {
    Q_OBJECT
public:
    // store may be null: each paper is then mapped again as it opens.
    explicit QuestionPaperPane(attempts::AttemptStore* store, QWidget* parent = nullptr);

    bool openPaper(const QString& pdfPath, int questionCount) override;
    void showQuestion(int question) override;

    TPdfViewer* viewer() const { return m_viewer; }
    PaperNavigator* navigator() const { return m_navigator; }

private:
    TPdfViewer* m_viewer = nullptr;
    PaperNavigator* m_navigator = nullptr;
};

} // namespace zelvora::gui

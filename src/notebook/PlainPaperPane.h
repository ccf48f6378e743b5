#pragma once
// A paper from its first page, for a notebook window the application gave no
// pane of its own (tests of the notebook alone): it knows no question's place.
#include "app/PaperPane.h"

#include <memory>

class QPdfView;

namespace zelvora::mockexam {
class PaperDocument;
} // namespace zelvora::mockexam

namespace zelvora::gui {

class PlainPaperPane : public PaperPane {
    Q_OBJECT
public:
    explicit PlainPaperPane(QWidget* parent = nullptr);
    ~PlainPaperPane() override;

    bool openPaper(const QString& pdfPath, int questionCount) override;
    void showQuestion(int) override {}

    // A pane from factory, or a plain one without it.
    static PaperPane* Make(const PaperPaneFactory& factory, QWidget* parent);

private:
    std::unique_ptr<mockexam::PaperDocument> m_paper;
    QPdfView* m_pdf = nullptr;
};

} // namespace zelvora::gui

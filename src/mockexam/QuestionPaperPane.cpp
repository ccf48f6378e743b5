#include "mockexam/QuestionPaperPane.h"

#include "mockexam/PaperNavigator.h"
#include "mockexam/TPdfViewer.h"

#include <QVBoxLayout>

namespace zelvora::gui {

QuestionPaperPane::QuestionPaperPane(attempts::AttemptStore* store, QWidget* parent) : PaperPane(parent)
{
    m_viewer = new TPdfViewer(this);
    m_navigator = new PaperNavigator(m_viewer, this);
    m_navigator->loader().setStore(store);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_viewer);
}

bool QuestionPaperPane::openPaper(const QString& pdfPath, int questionCount)
{
    if (!m_viewer->LoadFile(pdfPath)) {
        m_navigator->paperClosed();
        return false;
    }
    m_navigator->paperStarted(pdfPath, questionCount, 0);
    return true;
}

void QuestionPaperPane::showQuestion(int question)
{
    m_navigator->questionChosen(question);
}

} // namespace zelvora::gui

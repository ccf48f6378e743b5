#include "notebook/PlainPaperPane.h"

#include "mockexam/PaperDocument.h"

#include <QPdfDocument>
#include <QPdfView>
#include <QVBoxLayout>

namespace zelvora::gui {

PlainPaperPane::PlainPaperPane(QWidget* parent) : PaperPane(parent)
{
    m_pdf = new QPdfView(this);
    m_pdf->setPageMode(QPdfView::PageMode::MultiPage);
    m_pdf->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pdf);
}

PlainPaperPane::~PlainPaperPane()
{
    m_pdf->setDocument(nullptr);
}

bool PlainPaperPane::openPaper(const QString& pdfPath, int)
{
    m_pdf->setDocument(nullptr);
    m_paper.reset();
    auto opened = mockexam::PaperDocument::Open(pdfPath);
    if (!opened)
        return false;
    m_paper = std::move(opened).value();
    m_pdf->setDocument(m_paper->document());
    return true;
}

PaperPane* PlainPaperPane::Make(const PaperPaneFactory& factory, QWidget* parent)
{
    PaperPane* pane = factory ? factory(parent) : nullptr;
    return pane ? pane : new PlainPaperPane(parent);
}

} // namespace zelvora::gui

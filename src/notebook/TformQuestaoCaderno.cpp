#include "notebook/TformQuestaoCaderno.h"

#include "mockexam/PaperDocument.h"

#include <QLabel>
#include <QPdfDocument>
#include <QPdfPageNavigator>
#include <QPdfView>
#include <QShortcut>
#include <QVBoxLayout>

namespace zelvora::gui {

TformQuestaoCaderno::TformQuestaoCaderno(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("TformQuestaoCaderno"));
    setWindowTitle(QStringLiteral("Questão do caderno de erros"));
    resize(820, 700);
    m_questao = new QLabel(this);
    m_questao->setObjectName(QStringLiteral("lQuestao"));
    m_gabarito = new QLabel(this);
    m_gabarito->setObjectName(QStringLiteral("lGabarito"));
    m_anotacao = new QLabel(this);
    m_anotacao->setObjectName(QStringLiteral("lAnotacao"));
    m_anotacao->setWordWrap(true);
    QFont bold = m_gabarito->font();
    bold.setBold(true);
    m_questao->setFont(bold);
    m_gabarito->setFont(bold);
    m_pdf = new QPdfView(this);
    m_pdf->setPageMode(QPdfView::PageMode::MultiPage);
    m_pdf->setZoomMode(QPdfView::ZoomMode::FitToWidth);
    m_pdf->setObjectName(QStringLiteral("PDF"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_questao);
    layout->addWidget(m_gabarito);
    layout->addWidget(m_anotacao);
    layout->addWidget(m_pdf, 1);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

TformQuestaoCaderno::~TformQuestaoCaderno() = default;

void TformQuestaoCaderno::showItem(const notebook::NotebookItem& item)
{
    m_questao->setText(QStringLiteral("%1 — Questão %2").arg(item.paperName).arg(item.question + 1));
    m_gabarito->setText(QStringLiteral("Gabarito: %1").arg(item.keyLetter()));
    m_anotacao->setText(item.note.isEmpty() ? QString() : QStringLiteral("Anotação: %1").arg(item.note));
    m_anotacao->setVisible(!item.note.isEmpty());
    m_loaded = loadPaper(item.paper.pdfPath);
    if (!m_loaded)
        return;
    const std::optional<int> page = pageOf ? pageOf(item) : std::nullopt;
    if (page && *page >= 0 && *page < m_paper->document()->pageCount())
        m_pdf->pageNavigator()->jump(*page, {});
}

bool TformQuestaoCaderno::loadPaper(const QString& path)
{
    m_pdf->setDocument(nullptr);
    m_paper.reset();
    auto opened = mockexam::PaperDocument::Open(path);
    if (!opened)
        return false;
    m_paper = std::move(opened).value();
    m_pdf->setDocument(m_paper->document());
    return true;
}

} // namespace zelvora::gui

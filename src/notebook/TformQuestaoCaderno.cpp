#include "notebook/TformQuestaoCaderno.h"

#include "notebook/PlainPaperPane.h"

#include <QLabel>
#include <QShortcut>
#include <QVBoxLayout>

namespace zelvora::gui {

TformQuestaoCaderno::TformQuestaoCaderno(const PaperPaneFactory& panes, QWidget* parent) : QWidget(parent, Qt::Window)
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
    m_pane = PlainPaperPane::Make(panes, this);
    m_pane->setObjectName(QStringLiteral("PDF"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_questao);
    layout->addWidget(m_gabarito);
    layout->addWidget(m_anotacao);
    layout->addWidget(m_pane, 1);
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
    // The same paper stays open, so its map is not looked for again.
    if (!m_loaded || m_shownPdf != item.paper.pdfPath) {
        m_loaded = m_pane->openPaper(item.paper.pdfPath, item.questionCount);
        m_shownPdf = m_loaded ? item.paper.pdfPath : QString();
    }
    if (m_loaded)
        m_pane->showQuestion(item.question);
}

} // namespace zelvora::gui

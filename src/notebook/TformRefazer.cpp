#include "notebook/TformRefazer.h"

#include "app/MessageBoxes.h"
#include "notebook/NotebookTexts.h"
#include "notebook/PlainPaperPane.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace zelvora::gui {

using notebook::NotebookTexts;
using notebook::ReviewSession;

namespace {

// The stored answer for an option of a question's paper.
std::string AnswerFor(const notebook::NotebookItem& item, int option)
{
    if (item.rightWrong)
        return option == 0 ? "C" : option == 1 ? "E" : "";
    return option >= 0 && option < 5 ? std::string(1, char('1' + option)) : "";
}

int OptionOf(const notebook::NotebookItem& item, const std::string& answer)
{
    for (int o = 0; o < (item.rightWrong ? 2 : 5); ++o)
        if (AnswerFor(item, o) == answer)
            return o;
    return -1;
}

} // namespace

TformRefazer::TformRefazer(notebook::Notebook* notebook, app::MessageBoxes* messages, QString title,
                           const PaperPaneFactory& panes, QWidget* parent)
    // Above the notebook and the results window, which stay on top too.
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint)
    , m_notebook(notebook)
    , m_messages(messages)
    , m_title(std::move(title))
{
    setObjectName(QStringLiteral("TformRefazer"));
    setWindowTitle(QStringLiteral("Refazer questões do caderno de erros"));
    resize(1000, 720);
    m_questao = new QLabel(this);
    m_questao->setObjectName(QStringLiteral("lQuestao"));
    QFont bold = m_questao->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    m_questao->setFont(bold);
    m_prova = new QLabel(this);
    m_prova->setObjectName(QStringLiteral("lProva"));
    m_pane = PlainPaperPane::Make(panes, this);
    m_pane->setObjectName(QStringLiteral("PDF"));

    m_resposta = new QGroupBox(QStringLiteral("Resposta"), this);
    m_resposta->setObjectName(QStringLiteral("rgResposta"));
    m_group = new QButtonGroup(this);
    auto* options = new QVBoxLayout(m_resposta);
    for (int o = 0; o < 5; ++o) {
        m_options[o] = new QRadioButton(QString(QChar('A' + o)), m_resposta);
        m_options[o]->setObjectName(QStringLiteral("rbOpcao%1").arg(o));
        m_group->addButton(m_options[o], o);
        options->addWidget(m_options[o]);
    }
    connect(m_group, &QButtonGroup::idClicked, this, &TformRefazer::rgRespostaClick);

    auto button = [this](const QString& text, const char* name) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        return b;
    };
    m_anterior = button(QStringLiteral("Anterior"), "btAnterior");
    m_proxima = button(QStringLiteral("Próxima"), "btProxima");
    m_fim = button(QStringLiteral("Finalizar"), "btFim");
    m_sair = button(QStringLiteral("Sair"), "btSair");
    m_sair->setToolTip(QStringLiteral("Sair e continuar a revisão depois"));
    connect(m_anterior, &QPushButton::clicked, this, &TformRefazer::btAnteriorClick);
    connect(m_proxima, &QPushButton::clicked, this, &TformRefazer::btProximaClick);
    connect(m_fim, &QPushButton::clicked, this, &TformRefazer::btFimClick);
    connect(m_sair, &QPushButton::clicked, this, &TformRefazer::btSairClick);
    m_resultado = new QLabel(this);
    m_resultado->setObjectName(QStringLiteral("lResultado"));
    m_resultado->setWordWrap(true);

    auto* column = new QVBoxLayout;
    column->addWidget(m_resposta);
    column->addWidget(m_anterior);
    column->addWidget(m_proxima);
    column->addSpacing(12);
    column->addWidget(m_fim);
    column->addWidget(m_sair);
    column->addWidget(m_resultado);
    column->addStretch(1);
    auto* body = new QHBoxLayout;
    body->addWidget(m_pane, 1);
    body->addLayout(column);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_questao);
    layout->addWidget(m_prova);
    layout->addLayout(body, 1);
}

TformRefazer::~TformRefazer()
{
    saveProgress();
}

void TformRefazer::showMessage(const QString& text)
{
    if (m_messages)
        m_messages->show(this, text, m_title);
}

qint64 TformRefazer::elapsed() const
{
    return m_elapsedBefore + (m_clock.isValid() ? m_clock.elapsed() / 1000 : 0);
}

bool TformRefazer::start(const QList<qint64>& itemIds)
{
    if (m_session && !m_session->finished())
        saveProgress();
    m_session.reset();
    if (!m_notebook) {
        showMessage(NotebookTexts::Failure(notebook::NotebookCode::StoreUnavailable, {}));
        return false;
    }
    auto interrupted = ReviewSession::FindInterrupted(*m_notebook);
    if (interrupted && interrupted->has_value() && m_messages
        && m_messages->ask(this,
                           QStringLiteral("Há uma revisão interrompida (%1 questões). Deseja continuá-la?")
                               .arg(interrupted.value()->questions().size()),
                           m_title)) {
        m_session = std::move(*interrupted.value());
    } else {
        auto started = ReviewSession::Start(*m_notebook, std::vector<qint64>(itemIds.begin(), itemIds.end()));
        if (!started) {
            showMessage(NotebookTexts::Failure(started.code(), started.detail()));
            return false;
        }
        m_session = std::move(started).value();
    }
    m_elapsedBefore = m_session->elapsedSeconds();
    m_clock.start();
    m_resultado->clear();
    m_fim->setEnabled(true);
    m_resposta->setEnabled(true);
    m_loadedPdf.clear();
    showQuestion(m_session->current());
    show();
    raise();
    activateWindow();
    return true;
}

void TformRefazer::showQuestion(int position)
{
    if (!m_session || m_session->questions().empty())
        return;
    m_position = std::clamp(position, 0, int(m_session->questions().size()) - 1);
    const notebook::NotebookItem& it = m_session->questions()[size_t(m_position)];
    m_questao->setText(QStringLiteral("Questão %1 de %2").arg(m_position + 1).arg(m_session->questions().size()));
    m_prova->setText(QStringLiteral("%1 — questão %2").arg(it.paperName).arg(it.question + 1));
    // A paper already open keeps its map: only the question changes.
    if (m_loadedPdf != it.paper.pdfPath)
        m_loadedPdf = m_pane->openPaper(it.paper.pdfPath, it.questionCount) ? it.paper.pdfPath : QString();
    if (!m_loadedPdf.isEmpty())
        m_pane->showQuestion(it.question);
    const int count = it.rightWrong ? 2 : 5;
    for (int o = 0; o < 5; ++o) {
        m_options[o]->setVisible(o < count);
        m_options[o]->setText(it.rightWrong ? QString(o == 0 ? QStringLiteral("C") : QStringLiteral("E"))
                                            : QString(QChar('A' + o)));
    }
    const int chosen = OptionOf(it, m_session->answers()[size_t(m_position)]);
    m_group->setExclusive(false);
    for (QRadioButton* b : m_options)
        b->setChecked(false);
    m_group->setExclusive(true);
    if (chosen >= 0)
        m_options[chosen]->setChecked(true);
    m_anterior->setEnabled(m_position > 0);
    m_proxima->setEnabled(m_position + 1 < int(m_session->questions().size()));
}

void TformRefazer::rgRespostaClick(int option)
{
    if (!m_session || m_session->finished())
        return;
    const auto& it = m_session->questions()[size_t(m_position)];
    const std::string answer = AnswerFor(it, option);
    if (answer.empty())
        return;
    if (const auto done = m_session->answer(m_position, answer); !done)
        showMessage(NotebookTexts::Failure(done.code(), done.detail()));
}

void TformRefazer::btProximaClick()
{
    showQuestion(m_position + 1);
}

void TformRefazer::btAnteriorClick()
{
    showQuestion(m_position - 1);
}

void TformRefazer::saveProgress()
{
    if (m_session && !m_session->finished())
        m_session->saveProgress(elapsed(), m_position);
}

void TformRefazer::btFimClick()
{
    if (!m_session || m_session->finished())
        return;
    const auto outcomes = m_session->finish(std::max<qint64>(1, elapsed()));
    if (!outcomes) {
        showMessage(NotebookTexts::Failure(outcomes.code(), outcomes.detail()));
        return;
    }
    int right = 0;
    for (auto o : outcomes.value())
        right += o == notebook::Outcome::Right ? 1 : 0;
    m_resultado->setText(QStringLiteral("%1 de %2 certas. As certas vão para mais tarde; as erradas voltam amanhã.")
                             .arg(right)
                             .arg(outcomes->size()));
    m_fim->setEnabled(false);
    m_resposta->setEnabled(false);
    emit reviewFinished();
}

void TformRefazer::btSairClick()
{
    close();
}

void TformRefazer::closeEvent(QCloseEvent* e)
{
    saveProgress();
    QWidget::closeEvent(e);
}

} // namespace zelvora::gui

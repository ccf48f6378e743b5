#include "mockexam/TformSimul.h"

#include "app/AnsiText.h"
#include "app/ClickableLabel.h"
#include "app/GuardedSlot.h"
#include "app/ImageView.h"
#include "app/Look.h"
#include "app/MessageBoxes.h"
#include "app/TFocusImage.h"
#include "app/TformAguarde.h"
#include "mockexam/AnswerColumn.h"
#include "mockexam/DurationBox.h"
#include "mockexam/ExamNotice.h"
#include "mockexam/ExamShortcuts.h"
#include "mockexam/ExamTopStrip.h"
#include "mockexam/MockExamList.h"
#include "mockexam/MockExamResources.h"
#include "mockexam/PaperNavigator.h"
#include "mockexam/QtExamClock.h"
#include "mockexam/QuestionAids.h"
#include "mockexam/QuestionBox.h"
#include "mockexam/ReviewPlacement.h"
#include "mockexam/StripHint.h"
#include "mockexam/TformResultado.h"
#include "mockexam/TformRevisao.h"
#include "mockexam/TPdfViewer.h"
#include "text/Collation.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPdfView>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QShortcut>

namespace zelvora::gui {

using app::FromAnsi;
using mockexam::CountdownEvent;
using mockexam::ExamClock;
using mockexam::ExamCountdown;
using mockexam::ItemType;
using mockexam::MockExamEntry;
using mockexam::MockExamList;
using mockexam::PaperBundle;
using mockexam::PaperCode;
using mockexam::RunPhase;

namespace {

// The window's messages, one per way a paper cannot be shown.
const QString MsgLista = QStringLiteral("Não foi possível carregar a lista de simulados.");
const QString MsgProva = QStringLiteral("Não foi possível carregar a prova");
const QString MsgGabarito = QStringLiteral("Não foi possível carregar o gabarito da prova.");

QString PaperMessage(PaperCode code)
{
    return code == PaperCode::NoKey ? MsgGabarito : MsgProva;
}

constexpr int TopHeight = ExamTopStrip::Height;

// The user's folder, where an updated key of a paper of a folder the
// program never writes is kept; nothing for the user's own papers.
std::string UpdatedKeys(const app::AppContext& ctx, const MockExamEntry& entry)
{
    if (ctx.userFolder.isEmpty() || ctx.isUserSource(entry.source))
        return {};
    QString folder = ctx.userFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return QFile::encodeName(folder).toStdString();
}

} // namespace

TformSimul::TformSimul(app::AppContext& ctx, QWidget* parent, std::unique_ptr<ExamClock> clock)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_ctx(ctx)
    , m_clock(clock ? std::move(clock) : std::make_unique<mockexam::QtExamClock>())
    , m_run(
          ctx.attempts,
          [this](const QString& question) {
              return !m_ctx.messages || m_ctx.messages->ask(this, question, m_ctx.title);
          },
          [this](const QString& message) { showMessage(message); })
{
    m_clock->onTick = Guarded(m_ctx, this, &TformSimul::Timer1Timer);
    setWindowTitle(ctx.title);
    setWindowState(Qt::WindowMaximized);
    setAccessibleDescription(QStringLiteral("Simulado")); // its name is its caption

    buildTop();

    pPDF = Named(new QFrame(this), "pPDF");
    Paint(pPDF, PaperAreaColour());
    imSimul = Named(new ImageView(pPDF), "imSimul");
    imSimul->setPicture(std::function<QImage()>(mockexam::PaperAreaPicture));
    PDF = Named(new TPdfViewer(pPDF), "PDF");
    PDF->hide();

    buildAnswerColumn();
    buildShortcuts();
    lAviso = new ExamNotice(this);
    m_reviewWindow = new TformRevisao(this);
    connect(m_reviewWindow, &TformRevisao::noteRequested, this,
            Guarded(m_ctx, [this](int question) { m_aids->editNote(question); }));
    m_reviewWindow->setWindowTitle(ctx.title);
    connect(m_reviewWindow, &TformRevisao::questionChosen, this, Guarded(m_ctx, this, &TformSimul::showReviewQuestion));
    connect(m_reviewWindow, &TformRevisao::closed, this, Guarded(m_ctx, this, &TformSimul::leaveReview));
    m_reviewPlacement = new ReviewPlacement(this, m_reviewWindow);
    m_reviewPlacement->setArea(TopHeight, AnswerColumn::Width);
    connect(m_reviewPlacement, &ReviewPlacement::changed, this, [this] { arrangePanels(); });
    resize(921, TopHeight + 329);
}

TformSimul::~TformSimul()
{
    // The review window hides as it goes; nothing is to be placed then.
    delete m_reviewPlacement;
    m_reviewPlacement = nullptr;
}

void TformSimul::setResultsWindow(TformResultado* results)
{
    m_results = results;
    if (!results)
        return;
    connect(results, &TformResultado::reviewRequested, this, Guarded(m_ctx, this, &TformSimul::showReview));
    connect(results, &TformResultado::closing, this, &QWidget::close);
}

QWidget* TformSimul::topStrip() const
{
    return pTop;
}

const std::vector<MockExamEntry>& TformSimul::entries() const
{
    return pTop->entries();
}

std::optional<MockExamEntry> TformSimul::selectedEntry() const
{
    return pTop->selectedEntry();
}

void TformSimul::buildTop()
{
    pTop = new ExamTopStrip(m_ctx, this);
    comboProva = pTop->comboProva;
    btInicio = pTop->btInicio;
    edDuracao = pTop->edDuracao;
    connect(pTop->Label2, &ClickableLabel::clicked, this, Guarded(m_ctx, this, &TformSimul::Label2Click));
    connect(btInicio, &TFocusImage::OnMouseDown, this, Guarded(m_ctx, this, &TformSimul::btInicioMouseDown));
    connect(btInicio, &TFocusImage::OnMouseUp, this, Guarded(m_ctx, this, &TformSimul::btInicioMouseUp));
    connect(btInicio, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btInicioClick));
    connect(pTop->btHistorico, &QPushButton::clicked, this, Guarded(m_ctx, this, &TformSimul::btHistoricoClick));
    connect(comboProva, &QComboBox::activated, this, Guarded(m_ctx, this, &TformSimul::comboProvaChange));
}

void TformSimul::buildAnswerColumn()
{
    m_column = new AnswerColumn(this);
    pResp = m_column;
    cbQuestao = m_column->cbQuestao;
    connect(cbQuestao, &QComboBox::activated, this, Guarded(m_ctx, this, &TformSimul::cbQuestaoChange));
    connect(m_column, &AnswerColumn::optionStruck, this, Guarded(m_ctx, [this](int i) { m_run.toggleStruck(i); }));
    connect(m_column, &AnswerColumn::optionClicked, this, Guarded(m_ctx, this, &TformSimul::rgRespostaClick));
    connect(m_column, &AnswerColumn::reviewMarkClicked, this, Guarded(m_ctx, [this](bool on) {
                if (on != m_run.answers().markedForReview(m_run.answers().current()))
                    toggleReviewMark();
            }));
    for (TFocusImage* b : {m_column->btProxima, m_column->btAnterior, m_column->btFim, m_column->btSair}) {
        connect(b, &TFocusImage::OnMouseDown, this, Guarded(m_ctx, this, &TformSimul::MouseDown));
        connect(b, &TFocusImage::OnMouseUp, this, Guarded(m_ctx, this, &TformSimul::MouseUp));
    }
    connect(m_column->btProxima, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btProximaClick));
    connect(m_column->btAnterior, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btAnteriorClick));
    connect(m_column->btFim, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btFimClick));
    connect(m_column->btSair, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btSairClick));
    m_aids = new QuestionAids(m_ctx, PDF, m_column, this);
    connect(m_aids, &QuestionAids::guessToggled, this, Guarded(m_ctx, [this](bool on) {
                if (on != m_run.answers().guessed(m_run.answers().current()))
                    toggleGuess();
            }));
    connect(m_aids, &QuestionAids::noteSaved, this, Guarded(m_ctx, [this](int) {
                if (m_reviewWindow->isVisible())
                    showReview();
            }));
    connect(m_column, &AnswerColumn::questionChosen, this, Guarded(m_ctx, this, &TformSimul::cardChosen));
    pResp->hide();
    // What the column shows follows the run.
    m_run.onChanged = [this] { showRun(); };
}

void TformSimul::buildShortcuts()
{
    ExamShortcuts::Acts acts;
    acts.mark = [this](int option) { markOption(option); };
    acts.itemType = [this] { return m_run.answers().itemType(); };
    acts.review = [this] { toggleReviewMark(); };
    acts.guess = [this] { toggleGuess(); };
    acts.note = [this] { writeNote(); };
    acts.next = [this] { btProximaClick(); };
    acts.previous = [this] { btAnteriorClick(); };
    acts.zoomIn = [this] { PDF->zoomIn(); };
    acts.zoomOut = [this] { PDF->zoomOut(); };
    acts.fitWidth = [this] { PDF->fitToWidth(); };
    m_keys = new ExamShortcuts(m_ctx, this, std::move(acts));

    // Escape acts as Sair, in every state of the window. When the answer
    // column is hidden its Sair cannot show a press, so the window closes
    // directly.
    auto* leave = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    leave->setContext(Qt::WindowShortcut);
    connect(leave, &QShortcut::activated, this, Guarded(m_ctx, this, &TformSimul::escapePressed));
}

void TformSimul::escapePressed()
{
    if (m_column->btSair->isVisibleTo(this))
        m_column->btSair->press();
    else
        btSairClick();
}

void TformSimul::FormCreate()
{
    pTop->loadSkin();
    m_column->loadSkin(m_ctx.dataFolder);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());

    if (!pTop->readLists())
        showMessage(MsgLista);
}

void TformSimul::reloadList(const std::optional<MockExamEntry>& chosen)
{
    pTop->readLists();
    btInicio->setEnabled(false);
    if (chosen && pTop->select(*chosen))
        comboProvaChange();
}

void TformSimul::FormDestroy()
{
    m_run.leave();
    m_run.reset();
    m_clock->setInterval(0);
    pTop->clearEntries();
    pTop->clearSkin();
    m_column->clearSkin();
}

void TformSimul::FormShow()
{
    btInicio->setEnabled(false);
    pTop->clearSelection();
    PDF->hide();
    m_column->setShownOption(-1);
    edDuracao->clearPaper();
    // Another part may have added a button to the strip since the last
    // resize: the hint goes after it.
    pTop->placeHint();
    lAviso->hide();
    m_reviewWindow->hide();
    // A freshly shown window waits for a paper to be picked.
    m_run.reset();
    comboProva->setFocus(Qt::OtherFocusReason);
}

void TformSimul::comboProvaChange()
{
    btInicio->setEnabled(true);
    // The chosen paper's time limit, which the user may still change.
    if (const auto entry = selectedEntry())
        edDuracao->setDuration(
            PaperBundle::ReadInfo(folderOf(*entry), *entry, UpdatedKeys(m_ctx, *entry)).durationSeconds);
}

// The folder a paper's list line came from: its PDF, key and info file are there.
std::string TformSimul::folderOf(const MockExamEntry& entry) const
{
    return QFile::encodeName(m_ctx.mockExamFolders().value(qsizetype(entry.source), m_ctx.mockExamFolder))
        .toStdString();
}

void TformSimul::btInicioClick()
{
    // Letting events run while the wait window paints could deliver a second
    // click on the start button; one start at a time.
    if (m_starting)
        return;
    const QScopedValueRollback starting(m_starting, true);
    // A limit that cannot be read is refused, never guessed.
    if (!edDuracao->readable()) {
        showMessage(edDuracao->problem());
        edDuracao->setFocus();
        return;
    }
    // The running paper is kept and can be taken up again; still, ask.
    if (!m_run.confirmLeave())
        return;
    startPaper();
}

void TformSimul::startPaper()
{
    if (auto* wait = m_ctx.windows.aguarde)
        wait->show();
    processEvents();

    const auto entry = selectedEntry();
    if (!entry) {
        hideWait();
        return;
    }
    // The paper, its key and info file are read before anything on screen
    // changes, so a missing paper or key leaves the paper being taken as it was.
    auto paper = PaperBundle::Load(folderOf(*entry), *entry, UpdatedKeys(m_ctx, *entry));
    if (!paper) {
        hideWait();
        showMessage(PaperMessage(paper.code()));
        return;
    }
    if (!PDF->LoadFile(paper->pdfPath)) {
        hideWait();
        showMessage(MsgProva);
        return;
    }
    PDF->show();
    PDF->raise();
    m_reviewWindow->hide();
    lAviso->hide();
    m_clock->setInterval(0);
    m_run.reset();
    pResp->show();
    arrangePanels();
    m_keys->setEnabled(true);
    PDF->view()->setFocus();
    processEvents();
    hideWait();

    if (m_run.session().store() != m_ctx.attempts)
        m_run.session().setStore(m_ctx.attempts);
    // A resumed attempt has used part of the time limit already.
    const auto begun = m_run.start(paper.value(), FromAnsi(entry->name), edDuracao->duration().value_or(0));
    m_aids->paperStarted(paper->pdfPath, int(m_run.key().size()), m_run.answers().current(),
                         m_run.session().attemptId());
    m_column->showPaper(m_run);
    for (int q = 0; q < int(m_run.key().size()); ++q) {
        if (m_run.answers().guessed(q))
            m_column->showItem(m_run, q);
    }
    showRun();
    // A fresh attempt without a limit keeps the clock's text until it ticks.
    if (begun.resumed || m_run.countdown().limited())
        showClock();
    m_clock->setInterval(1000);
}

void TformSimul::showRun()
{
    const bool active = m_run.active();
    // While a paper runs its limit stays as it started; once a paper is
    // shown the hint has done its work.
    edDuracao->setLocked(m_run.inProgress());
    pTop->lDica->setRunning(active);
    if (!active)
        m_column->setClockEnding(false);
    if (pResp->isHidden() == active) {
        pResp->setVisible(active);
        arrangePanels();
    }
    if (!active) {
        m_keys->setEnabled(false);
        return;
    }
    m_column->showQuestion(m_run);
    m_aids->placeGuessBox();
    m_aids->questionShown(m_run.answers().current(), m_run.answers().guessed(m_run.answers().current()));
}

void TformSimul::showClock()
{
    const auto& countdown = m_run.countdown();
    m_column->setClockEnding(countdown.limited() && countdown.remaining() <= ExamCountdown::LastNotice);
    if (m_run.countdown().limited())
        m_column->lTempo->setText(QString::fromStdString(m_run.countdown().text()));
    else
        m_column->lTempo->setText(QStringLiteral("Duração: %1 s").arg(m_run.elapsedSeconds()));
}

void TformSimul::cbQuestaoChange()
{
    m_run.select(cbQuestao->currentIndex());
}

void TformSimul::cardChosen(int question)
{
    // In the review a cell shows the question with both answers; while the
    // exam runs it goes to the question as the selector would.
    if (m_reviewWindow->isVisible() || m_run.reviewing())
        showReviewQuestion(question);
    else
        m_run.select(question);
}

void TformSimul::rgRespostaClick(int option)
{
    // Read-only answers (review, time up): the option shown goes back.
    const int q = m_run.answers().current();
    if (m_run.answer(option))
        m_column->showItem(m_run, q);
    else
        m_column->showItem(m_run, q), showRun();
}

void TformSimul::markOption(int option)
{
    if (!m_run.active() || m_run.answersLocked() || option < 0 || option >= m_run.answers().optionCount())
        return;
    // Exactly what a click on the option does.
    m_column->rgRespostaItems[option]->click();
}

void TformSimul::toggleReviewMark()
{
    if (m_run.toggleReviewMark())
        m_column->showItem(m_run, m_run.answers().current());
}

void TformSimul::toggleGuess()
{
    if (m_run.toggleGuess())
        m_column->showItem(m_run, m_run.answers().current());
}

void TformSimul::writeNote()
{
    if (m_run.active())
        m_aids->editNote(m_run.answers().current());
}

void TformSimul::showReview()
{
    // Only a finished exam is reviewed: while a paper runs (another one
    // started behind the results) its key stays hidden.
    if (m_run.phase() != RunPhase::Finished && m_run.phase() != RunPhase::Reviewing)
        return;
    auto review = m_run.review();
    m_aids->addTo(review, m_run);
    m_reviewWindow->setReview(review);
    // Beside the answer column, the paper narrowed to leave it room; the
    // results step aside until the review closes.
    m_reviewPlacement->begin(m_results);
}

void TformSimul::showReviewQuestion(int question)
{
    if (!m_run.enterReview(question))
        return;
    // The paper turns to the question: to its place when the map has one
    // (showRun scrolled there), else to the first page that names it.
    if (!m_aids->navigator()->loader().map().placeOf(question + 1))
        PDF->showPageWith(QStringLiteral("Questão %1").arg(question + 1));
}

void TformSimul::Timer1Timer()
{
    const CountdownEvent event = m_run.tick();
    showClock();
    if (!m_run.countdown().limited())
        return;
    lAviso->tick();
    if (event == CountdownEvent::ThirtyMinutesLeft || event == CountdownEvent::FiveMinutesLeft)
        lAviso->showNotice(QString::fromStdString(ExamCountdown::NoticeText(event)));
    else if (event == CountdownEvent::TimeUp)
        showResults();
}

void TformSimul::btFimClick()
{
    if (!m_run.finish())
        return;
    showResults();
}

void TformSimul::showResults()
{
    m_clock->setInterval(0);
    // With the clock stopped a notice would never go by itself.
    lAviso->hide();
    const auto score = m_run.score();
    const auto board = m_run.boardScore(m_run.guessedNumbers());
    if (m_reviewWindow->isVisible())
        showReview();
    if (auto* results = m_results) {
        results->ShowScore(score, m_run.timeRanOut(), &board, QuestionAids::ResultLines(m_run));
        results->setWindowTitle(m_ctx.title);
        results->show();
        results->raise();
        results->activateWindow();
    }
}

void TformSimul::btInicioMouseDown()
{
    pTop->showStartPressed(true);
}

void TformSimul::btInicioMouseUp()
{
    pTop->showStartPressed(false);
}

void TformSimul::MouseDown(TFocusImage* sender)
{
    m_column->showPressed(sender, true);
}

void TformSimul::MouseUp(TFocusImage* sender)
{
    m_column->showPressed(sender, false);
}

int TformSimul::shownOption() const
{
    return m_column->shownOption();
}

void TformSimul::arrangePanels()
{
    const int w = width();
    const int h = height();
    pTop->arrange(w);
    const int below = qMax(0, h - TopHeight);
    const int column = pResp->isHidden() ? 0 : AnswerColumn::Width;
    pResp->setGeometry(w - AnswerColumn::Width, TopHeight, AnswerColumn::Width, below);
    // The review's band, while it is shown, is the paper's no more.
    const int aside = m_reviewPlacement ? m_reviewPlacement->reservedWidth() : 0;
    pPDF->setGeometry(0, TopHeight, qMax(0, w - column - aside), below);
    imSimul->setGeometry(pPDF->rect());
    PDF->setGeometry(pPDF->rect());
}

void TformSimul::FormResize()
{
    arrangePanels();
    m_column->placeClock();
    if (m_aids)
        m_aids->placeGuessBox();
}

void TformSimul::showMessage(const QString& text)
{
    if (m_ctx.messages)
        m_ctx.messages->show(this, text, m_ctx.title);
}

void TformSimul::processEvents()
{
    if (m_ctx.processEvents)
        m_ctx.processEvents();
}

void TformSimul::hideWait()
{
    if (auto* wait = m_ctx.windows.aguarde)
        wait->hide();
}

void TformSimul::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        FormShow();
}

void TformSimul::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    FormResize();
}

void TformSimul::closeEvent(QCloseEvent* e)
{
    // Sair, the "X", Alt+F4: a paper in progress is kept, but the user is
    // asked first.
    if (isVisible() && !m_run.confirmLeave()) {
        e->ignore();
        return;
    }
    // Closing only hides the window; the clock stops.
    m_clock->setInterval(0);
    m_reviewWindow->hide();
    e->accept();
}

} // namespace zelvora::gui

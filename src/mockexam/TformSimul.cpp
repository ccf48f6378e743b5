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

constexpr int TopHeight = 117;
// The top strip's band above its rule (y 74): the duration field and
// "Histórico" stand there, clear of the rule, so the button row keeps its
// room on a 1024-pixel screen.
constexpr int BandTop = 40;
constexpr int BandHeight = 28;
// The notebook's buttons stand in the row above that band, right of the
// strip's title.
constexpr int NotebookTop = 8;

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

std::optional<MockExamEntry> TformSimul::selectedEntry() const
{
    const int item = comboProva->currentIndex();
    const int index = item < 0 ? -1 : comboProva->itemData(item).toInt();
    return index >= 0 && size_t(index) < m_entries.size() ? std::optional(m_entries[size_t(index)]) : std::nullopt;
}

void TformSimul::buildTop()
{
    pTop = Named(new QFrame(this), "pTop");
    Paint(pTop, DarkBlue());
    imLogo = Named(new ImageView(pTop), "imLogo");

    Label1 = Named(WhiteLabel(QStringLiteral("Selecione a Prova:"), Arial(16, true), pTop, {4, 87}), "Label1");

    Label2 = Named(WhiteLabel<ClickableLabel>(QStringLiteral("X"), Arial(27, true), pTop, {688, 11}), "Label2");
    Label2->setToolTip(QStringLiteral("Sair"));
    Label2->setAccessibleName(QStringLiteral("Fechar"));
    Label2->setFocusPolicy(Qt::TabFocus); // after it was sized to its text
    connect(Label2, &ClickableLabel::clicked, this, Guarded(m_ctx, this, &TformSimul::Label2Click));

    btInicio = Named(new TFocusImage(QRect(653, 80, 128, 36), pTop), "btInicio");
    connect(btInicio, &TFocusImage::OnMouseDown, this, Guarded(m_ctx, this, &TformSimul::btInicioMouseDown));
    connect(btInicio, &TFocusImage::OnMouseUp, this, Guarded(m_ctx, this, &TformSimul::btInicioMouseUp));
    connect(btInicio, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btInicioClick));
    btInicio->setText(QStringLiteral("Iniciar"));

    // In the band above the strip's rule, left of the "X" (FormResize keeps
    // it there).
    btHistorico = Named(new QPushButton(QStringLiteral("Histórico"), pTop), "btHistorico");
    btHistorico->setFont(Arial(14, true));
    btHistorico->setGeometry(0, BandTop, qMax(100, btHistorico->sizeHint().width()), BandHeight + 2);
    btHistorico->setFocusPolicy(Qt::NoFocus);
    connect(btHistorico, &QPushButton::clicked, this, Guarded(m_ctx, this, &TformSimul::btHistoricoClick));
    // The mistakes notebook, in the strip's top row above "Histórico", so
    // the band and the button row keep their room; the program opens it
    // (and keeps the count of questions due) through the signals.
    btCaderno = Named(new QPushButton(QStringLiteral("Caderno de erros"), pTop), "btCaderno");
    btRevisarHoje = Named(new QPushButton(QStringLiteral("Para revisar hoje (0)"), pTop), "btRevisarHoje");
    for (QPushButton* b : {btCaderno, btRevisarHoje}) {
        b->setFont(Arial(12, true));
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(0, NotebookTop, b->sizeHint().width() + 8, BandTop - 4 - NotebookTop);
    }
    connect(btCaderno, &QPushButton::clicked, this, &TformSimul::notebookRequested);
    connect(btRevisarHoje, &QPushButton::clicked, this, &TformSimul::reviewTodayRequested);

    comboProva = Named(new QComboBox(pTop), "comboProva");
    comboProva->setFont(Arial(16));
    comboProva->setGeometry(152, 84, 497, comboProva->sizeHint().height());
    connect(comboProva, &QComboBox::activated, this, Guarded(m_ctx, this, &TformSimul::comboProvaChange));
    comboProva->setAccessibleName(QStringLiteral("Selecione a Prova"));
    // Tab goes from the paper list to the start button beside it.
    setTabOrder(comboProva, btInicio);

    // The time limit, right above the start button and clear of the
    // strip's rule, its label left of it.
    edDuracao = Named(new DurationBox(pTop), "edDuracao");
    edDuracao->setFont(Arial(14));
    edDuracao->setGeometry(653, BandTop, 128, BandHeight);
    edDuracao->setAccessibleName(QStringLiteral("Tempo de prova"));
    setTabOrder(btInicio, edDuracao);
    lDuracao = Named(WhiteLabel(QStringLiteral("Duração:"), Arial(14, true), pTop), "lDuracao");
    lDuracao->move(653 - 6 - lDuracao->width(), BandTop + (BandHeight - lDuracao->height()) / 2);
    lDuracao->setBuddy(edDuracao);

    // The hint after the strip's last button, drawn over the picture's own.
    lDica = new StripHint(pTop);
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
    // "Chute" beside "Revisar depois", in its look.
    m_column->ckRevisar->resize(124, m_column->ckRevisar->height());
    m_aids = new QuestionAids(m_ctx, PDF, m_column->pRespClient, this);
    m_aids->guessBox()->setFont(m_column->ckRevisar->font());
    m_aids->guessBox()->setPalette(m_column->ckRevisar->palette());
    m_aids->guessBox()->resize(AnswerColumn::Width - 8 - 124 - 2, m_column->ckRevisar->height());
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
    auto add = [this](const QKeySequence& keys, auto action) {
        auto* s = new QShortcut(keys, this);
        s->setContext(Qt::WindowShortcut);
        s->setEnabled(false);
        connect(s, &QShortcut::activated, this, Guarded(m_ctx, action));
        m_examShortcuts.push_back(s);
    };
    for (int i = 0; i < 5; ++i) {
        add(QKeySequence(Qt::Key_A + i), [this, i] { markKey(i, false); });
        add(QKeySequence(Qt::Key_1 + i), [this, i] { markKey(i, true); });
    }
    add(QKeySequence(Qt::Key_R), [this] { toggleReviewMark(); });
    add(QKeySequence(Qt::Key_G), [this] { toggleGuess(); });
    add(QKeySequence(Qt::Key_N), [this] { writeNote(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Right), [this] { btProximaClick(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Left), [this] { btAnteriorClick(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { PDF->zoomIn(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { PDF->zoomIn(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { PDF->zoomOut(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { PDF->fitToWidth(); });

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
    m_skinTop.load(m_ctx.dataFolder, QStringLiteral("simul"));
    imLogo->setPicture([this] { return m_skinTop.normal(); });
    m_skinRight.load(m_ctx.dataFolder, QStringLiteral("botoes"));
    m_column->imRight->setPicture([this] { return m_skinRight.normal(); });

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());

    auto entries = readLists();
    if (!entries) {
        showMessage(MsgLista);
        return;
    }
    m_entries = std::move(*entries);
    fillComboProva();
}

std::optional<std::vector<MockExamEntry>> TformSimul::readLists() const
{
    // The lists of every folder, the user's first; each entry keeps the
    // index of its folder. A folder that does not exist reads as no list.
    std::vector<std::string> folders;
    for (const QString& folder : m_ctx.mockExamFolders())
        folders.push_back(QFileInfo(folder).isDir() ? QFile::encodeName(folder).toStdString() : std::string());
    return MockExamList::LoadAll(folders);
}

void TformSimul::reloadList(const std::optional<MockExamEntry>& chosen)
{
    if (auto entries = readLists())
        m_entries = std::move(*entries);
    else
        m_entries.clear();
    fillComboProva();
    btInicio->setEnabled(false);
    if (!chosen)
        return;
    for (int item = 0; item < comboProva->count(); ++item) {
        const int index = comboProva->itemData(item).toInt();
        if (index >= 0 && size_t(index) < m_entries.size() && m_entries[size_t(index)] == *chosen) {
            comboProva->setCurrentIndex(item);
            comboProvaChange();
            return;
        }
    }
}

void TformSimul::fillComboProva()
{
    std::vector<std::string_view> names;
    names.reserve(m_entries.size());
    for (const auto& e : m_entries)
        names.emplace_back(e.name);
    std::vector<size_t> order;
    if (m_ctx.collation) {
        order = m_ctx.collation->stableOrder(names);
    } else {
        for (size_t i = 0; i < names.size(); ++i)
            order.push_back(i);
    }
    const QSignalBlocker block(comboProva);
    comboProva->clear();
    for (const size_t i : order)
        comboProva->addItem(FromAnsi(m_entries[i].name), QVariant::fromValue(int(i)));
    comboProva->setCurrentIndex(-1);
}

void TformSimul::FormDestroy()
{
    m_run.leave();
    m_run.reset();
    m_clock->setInterval(0);
    m_entries.clear();
    m_skinTop.clear();
    m_skinRight.clear();
}

void TformSimul::FormShow()
{
    btInicio->setEnabled(false);
    {
        const QSignalBlocker block(comboProva);
        comboProva->setCurrentIndex(-1);
    }
    PDF->hide();
    m_column->setShownOption(-1);
    edDuracao->clearPaper();
    // Another part may have added a button to the strip since the last
    // resize: the hint goes after it.
    placeHint();
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
    for (QShortcut* s : m_examShortcuts)
        s->setEnabled(true);
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
    lDica->setRunning(active);
    if (!active)
        m_column->setClockEnding(false);
    if (pResp->isHidden() == active) {
        pResp->setVisible(active);
        arrangePanels();
    }
    if (!active) {
        for (QShortcut* s : m_examShortcuts)
            s->setEnabled(false);
        return;
    }
    m_column->showQuestion(m_run);
    placeGuessBox();
    m_aids->questionShown(m_run.answers().current(), m_run.answers().guessed(m_run.answers().current()));
}

void TformSimul::placeGuessBox()
{
    // Right of "Revisar depois", wherever the column put it.
    if (!m_aids)
        return;
    const QCheckBox* review = m_column->ckRevisar;
    m_aids->guessBox()->move(review->x() + review->width() + 2, review->y());
    m_aids->guessBox()->setVisible(!review->isHidden());
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

void TformSimul::btProximaClick()
{
    m_run.next();
}

void TformSimul::btAnteriorClick()
{
    m_run.previous();
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

void TformSimul::markKey(int index, bool digit)
{
    // Letters A to E and digits 1 to 5 are options A to E; on a right/wrong
    // paper C and 1 are Certo, E and 2 Errado.
    int option = index;
    if (m_run.answers().itemType() == ItemType::RightWrong)
        option = digit ? (index < 2 ? index : -1) : (index == 2 ? 0 : index == 4 ? 1 : -1);
    markOption(option);
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

void TformSimul::leaveReview()
{
    m_run.leaveReview();
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

void TformSimul::btSairClick()
{
    close();
}

void TformSimul::Label2Click()
{
    close();
}

void TformSimul::setDueToday(int count)
{
    btRevisarHoje->setText(QStringLiteral("Para revisar hoje (%1)").arg(count));
    btRevisarHoje->resize(btRevisarHoje->sizeHint().width() + 8, btRevisarHoje->height());
    placeNotebookButtons();
}

void TformSimul::btHistoricoClick()
{
    emit historyRequested();
}

void TformSimul::btInicioMouseDown()
{
    imLogo->copyRect(m_skinTop.pressed(), btInicio->geometry());
}

void TformSimul::btInicioMouseUp()
{
    imLogo->copyRect(m_skinTop.normal(), btInicio->geometry());
}

void TformSimul::MouseDown(TFocusImage* sender)
{
    m_column->imRight->copyRect(m_skinRight.pressed(), sender->geometry());
}

void TformSimul::MouseUp(TFocusImage* sender)
{
    m_column->imRight->copyRect(m_skinRight.normal(), sender->geometry());
}

int TformSimul::shownOption() const
{
    return m_column->shownOption();
}

void TformSimul::arrangePanels()
{
    const int w = width();
    const int h = height();
    pTop->setGeometry(0, 0, w, TopHeight);
    imLogo->setGeometry(1, 1, qMax(0, w - 2), TopHeight - 2);
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
    Label2->move(pTop->width() - Label2->width() - 5, Label2->y());
    // Left of the "X" in the band; on a screen too narrow for both it gives
    // way to the duration field.
    const int historicoLeft = Label2->x() - btHistorico->width() - 12;
    btHistorico->move(qMax(historicoLeft, edDuracao->geometry().right() + 11), btHistorico->y());
    placeNotebookButtons();
    placeHint();
    m_column->placeClock();
    placeGuessBox();
}

void TformSimul::placeNotebookButtons()
{
    // "Caderno de erros" ends where "Histórico" ends and never reaches the
    // "X"; "Para revisar hoje" left of it, over the strip's picture only
    // on a screen narrower than 1024 pixels.
    const int right = qMin(btHistorico->geometry().right(), Label2->x() - 12);
    btCaderno->move(qMax(btRevisarHoje->width() + 10, right - btCaderno->width() + 1), NotebookTop);
    btRevisarHoje->move(btCaderno->x() - btRevisarHoje->width() - 6, NotebookTop);
}

void TformSimul::placeHint()
{
    // The hint fills the button row after its last button (one another part
    // may have added right of Iniciar).
    int last = btInicio->geometry().right();
    for (const QWidget* w : pTop->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w != lDica && w != imLogo && !w->isHidden() && w->y() >= btInicio->y() - 8 && w->x() > btInicio->x())
            last = qMax(last, w->geometry().right());
    lDica->place(last + 12, 76, 37);
    // Where the strip has no room for it, the empty selector says it.
    comboProva->setPlaceholderText(lDica->fits() ? QString() : StripHint::Text);
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

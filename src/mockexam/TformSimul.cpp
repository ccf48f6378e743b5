#include "mockexam/TformSimul.h"

#include "app/AnsiText.h"
#include "app/ClickableLabel.h"
#include "app/GuardedSlot.h"
#include "app/ImageView.h"
#include "app/Look.h"
#include "app/MessageBoxes.h"
#include "app/TFocusImage.h"
#include "app/TformAguarde.h"
#include "attempts/AttemptStore.h"
#include "attempts/TformHistorico.h"
#include "mockexam/AnswerKey.h"
#include "mockexam/ExamScore.h"
#include "mockexam/MockExamList.h"
#include "mockexam/MockExamResources.h"
#include "mockexam/PaperPath.h"
#include "mockexam/QtExamClock.h"
#include "mockexam/TformResultado.h"
#include "mockexam/TPdfViewer.h"
#include "text/Collation.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPdfView>
#include <QPushButton>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>

#include <optional>

namespace zelvora::gui {

using app::FromAnsi;
using mockexam::AnswerKey;
using mockexam::ExamClock;
using mockexam::ExamScore;
using mockexam::MockExamEntry;
using mockexam::MockExamList;
using mockexam::PaperPath;

namespace {

const QString MsgLista = QStringLiteral("Não foi possível carregar a lista de simulados.");
const QString MsgProva = QStringLiteral("Não foi possível carregar a prova");
const QString MsgGabarito = QStringLiteral("Não foi possível carregar o gabarito da prova.");

constexpr int TopHeight = 117;
constexpr int AnswerColumnWidth = 198;
constexpr int TempoHeight = 29;

} // namespace

TformSimul::TformSimul(app::AppContext& ctx, QWidget* parent, std::unique_ptr<ExamClock> clock)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint)
    , m_ctx(ctx)
    , m_clock(clock ? std::move(clock) : std::make_unique<mockexam::QtExamClock>())
    , m_session(
          ctx.attempts,
          [this](const QString& question) {
              return !m_ctx.messages || m_ctx.messages->ask(this, question, m_ctx.title);
          },
          [this](const QString& message) { showMessage(message); })
{
    m_clock->onTick = Guarded(m_ctx, this, &TformSimul::Timer1Timer);
    setWindowTitle(ctx.title);
    setWindowState(Qt::WindowMaximized);

    buildTop();

    pPDF = Named(new QFrame(this), "pPDF");
    Paint(pPDF, PaperAreaColour());
    imSimul = Named(new ImageView(pPDF), "imSimul");
    imSimul->setPicture(mockexam::PaperAreaPicture());
    PDF = Named(new TPdfViewer(pPDF), "PDF");
    PDF->hide();

    buildAnswerColumn();
    buildShortcuts();
    resize(921, TopHeight + 329);
}

TformSimul::~TformSimul() = default;

void TformSimul::buildTop()
{
    pTop = Named(new QFrame(this), "pTop");
    Paint(pTop, DarkBlue());
    imLogo = Named(new ImageView(pTop), "imLogo");

    Label1 = Named(WhiteLabel(QStringLiteral("Selecione a Prova:"), Arial(16, true), pTop, {4, 87}), "Label1");

    Label2 = Named(WhiteLabel<ClickableLabel>(QStringLiteral("X"), Arial(27, true), pTop, {688, 11}), "Label2");
    Label2->setToolTip(QStringLiteral("Sair"));
    connect(Label2, &ClickableLabel::clicked, this, Guarded(m_ctx, this, &TformSimul::Label2Click));

    btInicio = Named(new TFocusImage(QRect(653, 80, 128, 36), pTop), "btInicio");
    connect(btInicio, &TFocusImage::OnMouseDown, this, Guarded(m_ctx, this, &TformSimul::btInicioMouseDown));
    connect(btInicio, &TFocusImage::OnMouseUp, this, Guarded(m_ctx, this, &TformSimul::btInicioMouseUp));
    connect(btInicio, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btInicioClick));

    // Kept at the right edge by FormResize, like the "X".
    btHistorico = Named(new QPushButton(QStringLiteral("Histórico"), pTop), "btHistorico");
    btHistorico->setFont(Arial(14, true));
    btHistorico->setGeometry(0, 80, qMax(100, btHistorico->sizeHint().width()), 36);
    btHistorico->setFocusPolicy(Qt::NoFocus);
    connect(btHistorico, &QPushButton::clicked, this, Guarded(m_ctx, this, &TformSimul::btHistoricoClick));

    comboProva = Named(new QComboBox(pTop), "comboProva");
    comboProva->setFont(Arial(16));
    comboProva->setGeometry(152, 84, 497, comboProva->sizeHint().height());
    connect(comboProva, &QComboBox::activated, this, Guarded(m_ctx, this, &TformSimul::comboProvaChange));
}

void TformSimul::buildAnswerColumn()
{
    pResp = Named(new QScrollArea(this), "pResp");
    pResp->setFrameShape(QFrame::NoFrame);
    pResp->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pResp->setWidgetResizable(true);
    Paint(pResp, AnswerColumnColour());
    pRespClient = Named(new QWidget, "pRespClient");
    Paint(pRespClient, AnswerColumnColour());
    // Everything down to the clock stays reachable on a short screen.
    pRespClient->setMinimumSize(AnswerColumnWidth, 139 + 30 + TempoHeight + 10);
    pRespClient->installEventFilter(this);
    pResp->setWidget(pRespClient);

    imRight = Named(new ImageView(pRespClient), "imRight");

    lQuestao = Named(WhiteLabel(QStringLiteral("Selecione a questão:"), Arial(11), pRespClient, {9, 3}), "lQuestao");

    cbQuestao = Named(new QComboBox(pRespClient), "cbQuestao");
    cbQuestao->setFont(Arial(11));
    cbQuestao->setGeometry(8, 17, 179, 21);
    connect(cbQuestao, &QComboBox::activated, this, Guarded(m_ctx, this, &TformSimul::cbQuestaoChange));

    rgResposta = Named(new QGroupBox(QStringLiteral(" Resposta "), pRespClient), "rgResposta");
    rgResposta->setGeometry(8, 43, 113, 61);
    rgResposta->setFont(Arial(12, true));
    Paint(rgResposta, AnswerBoxColour());
    {
        QPalette pal = rgResposta->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        pal.setColor(QPalette::ButtonText, Qt::white);
        rgResposta->setPalette(pal);
    }
    rgRespostaGroup = new QButtonGroup(this);
    rgRespostaGroup->setExclusive(true);
    static const char* const Letters[5] = {"A", "B", "C", "D", "E"};
    // Three columns filled top to bottom, two options to a column:
    // A and B in the first, C and D in the second, E alone in the third.
    for (int i = 0; i < 5; ++i) {
        auto* item = new QRadioButton(QString::fromLatin1(Letters[i]), rgResposta);
        item->setGeometry(6 + (i / 2) * 35, 17 + (i % 2) * 20, 34, 19);
        rgRespostaGroup->addButton(item, i);
        rgRespostaItems[i] = item;
    }
    connect(rgRespostaGroup, &QButtonGroup::idClicked, this, Guarded(m_ctx, this, &TformSimul::rgRespostaClick));

    btProxima = Named(new TFocusImage(QRect(121, 49, 73, 30), pRespClient), "btProxima");
    btAnterior = Named(new TFocusImage(QRect(121, 78, 73, 30), pRespClient), "btAnterior");
    btFim = Named(new TFocusImage(QRect(1, 110, 193, 30), pRespClient), "btFim");
    btSair = Named(new TFocusImage(QRect(1, 139, 193, 30), pRespClient), "btSair");
    for (TFocusImage* b : {btProxima, btAnterior, btFim, btSair}) {
        connect(b, &TFocusImage::OnMouseDown, this, Guarded(m_ctx, this, &TformSimul::MouseDown));
        connect(b, &TFocusImage::OnMouseUp, this, Guarded(m_ctx, this, &TformSimul::MouseUp));
    }
    connect(btProxima, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btProximaClick));
    connect(btAnterior, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btAnteriorClick));
    connect(btFim, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btFimClick));
    connect(btSair, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btSairClick));

    lTempo = Named(WhiteLabel(QStringLiteral("00 s"), Arial(24, true), pRespClient), "lTempo");
    lTempo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lTempo->setGeometry(0, 180, 194, TempoHeight);

    pResp->hide();
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
        auto mark = [this, i] { markOption(i); };
        add(QKeySequence(Qt::Key_A + i), mark);
        add(QKeySequence(Qt::Key_1 + i), mark);
    }
    add(QKeySequence(Qt::CTRL | Qt::Key_Right), [this] { btProximaClick(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Left), [this] { btAnteriorClick(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { PDF->zoomIn(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Equal), [this] { PDF->zoomIn(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { PDF->zoomOut(); });
    add(QKeySequence(Qt::CTRL | Qt::Key_0), [this] { PDF->fitToWidth(); });
}

void TformSimul::FormCreate()
{
    try {
        m_skinTop.load(m_ctx.dataFolder, QStringLiteral("simul"));
        imLogo->setPicture(m_skinTop.normal);
        m_skinRight.load(m_ctx.dataFolder, QStringLiteral("botoes"));
        imRight->setPicture(m_skinRight.normal);

        if (const QScreen* screen = QGuiApplication::primaryScreen())
            setGeometry(screen->geometry());

        std::optional<std::vector<MockExamEntry>> entries;
        if (!m_ctx.mockExamFolder.isEmpty() && QFileInfo(m_ctx.mockExamFolder).isDir())
            entries = MockExamList::Load(QFile::encodeName(m_ctx.mockExamFolder).toStdString());
        if (!entries) {
            showMessage(MsgLista);
            return;
        }
        m_entries = std::move(*entries);
        fillComboProva();
    } catch (...) {
        // Whatever else fails while the list is read gives the same message.
        showMessage(MsgLista);
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
    if (paperInProgress())
        m_session.leave(m_elapsed, m_answers.current());
    m_clock->setInterval(0);
    m_entries.clear();
    m_key.clear();
    m_answers.start(0);
    m_skinTop.clear();
    m_skinRight.clear();
}

void TformSimul::FormShow()
{
    btInicio->setEnabled(false);
    pResp->hide();
    {
        const QSignalBlocker block(comboProva);
        comboProva->setCurrentIndex(-1);
    }
    PDF->hide();
    setShownOption(-1);
    for (QShortcut* s : m_examShortcuts)
        s->setEnabled(false);
    arrangePanels();
}

void TformSimul::comboProvaChange()
{
    btInicio->setEnabled(true);
}

void TformSimul::btInicioClick()
{
    // Letting events run while the wait window paints could deliver a second
    // click on the start button; one start at a time.
    if (m_starting)
        return;
    const QScopedValueRollback starting(m_starting, true);
    // The running paper is kept and can be taken up again; still, ask.
    if (paperInProgress()) {
        if (!m_session.confirmLeave())
            return;
        m_session.leave(m_elapsed, m_answers.current());
    }
    startPaper();
}

void TformSimul::startPaper()
{
    if (auto* wait = m_ctx.windows.aguarde)
        wait->show();
    processEvents();

    const int item = comboProva->currentIndex();
    const int index = item < 0 ? -1 : comboProva->itemData(item).toInt();
    if (index < 0 || size_t(index) >= m_entries.size()) {
        hideWait();
        return;
    }
    const MockExamEntry& entry = m_entries[size_t(index)];
    const std::string folder = QFile::encodeName(m_ctx.mockExamFolder).toStdString();
    const QString pdfPath = QFile::decodeName(PaperPath::Resolve(folder, entry.pdfPath).c_str());
    if (!QFileInfo(pdfPath).isFile()) {
        hideWait();
        showMessage(MsgProva);
        return;
    }

    // The key is read before anything on screen changes, so a missing or
    // empty key leaves the paper being taken exactly as it was.
    const auto key = AnswerKey::Load(PaperPath::Resolve(folder, PaperPath::KeyPathFor(entry.pdfPath)));
    if (!key) {
        hideWait();
        showMessage(MsgGabarito);
        return;
    }

    bool loaded = false;
    try {
        loaded = PDF->LoadFile(pdfPath);
    } catch (...) {
        loaded = false;
    }
    if (!loaded) {
        hideWait();
        showMessage(MsgProva);
        return;
    }
    PDF->show();
    PDF->raise();

    m_key = *key;
    m_answers.start(m_key.size());
    {
        const QSignalBlocker block(cbQuestao);
        cbQuestao->clear();
        QStringList items;
        items.reserve(qsizetype(m_key.size()));
        for (const auto& text : m_answers.itemTexts())
            items << QString::fromStdString(text);
        cbQuestao->addItems(items);
        cbQuestao->setCurrentIndex(0);
    }
    setShownOption(-1);

    pResp->show();
    arrangePanels();
    for (QShortcut* s : m_examShortcuts)
        s->setEnabled(true);
    PDF->view()->setFocus();
    processEvents();
    hideWait();

    m_finished = false;
    if (m_session.store() != m_ctx.attempts)
        m_session.setStore(m_ctx.attempts);
    QByteArray keyBytes;
    {
        QFile keyFile(QFile::decodeName(PaperPath::Resolve(folder, PaperPath::KeyPathFor(entry.pdfPath)).c_str()));
        if (keyFile.open(QIODevice::ReadOnly))
            keyBytes = keyFile.readAll();
    }
    const attempts::PaperIdentity paper{QFileInfo(pdfPath).absoluteFilePath(), m_ctx.dataFolder,
                                        attempts::PaperIdentity::HashKey(keyBytes)};
    const auto start = m_session.start(paper, FromAnsi(entry.name), m_key);
    // A clock still running from the previous paper may have ticked while
    // the question was open.
    m_elapsed = 0;
    if (start.resumed)
        restoreAttempt(start);
    m_clock->setInterval(1000);
}

void TformSimul::restoreAttempt(const attempts::AttemptSession::Start& start)
{
    m_answers.restore(start.answers, start.currentQuestion);
    {
        const QSignalBlocker block(cbQuestao);
        for (int q = 0; q < cbQuestao->count() && size_t(q) < m_answers.itemTexts().size(); ++q)
            cbQuestao->setItemText(q, QString::fromStdString(m_answers.itemTexts()[size_t(q)]));
    }
    selectCurrentItem();
    showStoredOption();
    m_elapsed = start.elapsedSeconds;
    lTempo->setText(QStringLiteral("Duração: %1 s").arg(m_elapsed));
}

void TformSimul::cbQuestaoChange()
{
    if (!m_answers.select(cbQuestao->currentIndex()))
        return;
    showStoredOption();
}

void TformSimul::btProximaClick()
{
    if (!m_answers.next())
        return;
    showStoredOption();
    selectCurrentItem();
}

void TformSimul::btAnteriorClick()
{
    if (!m_answers.previous())
        return;
    showStoredOption();
    selectCurrentItem();
}

void TformSimul::rgRespostaClick(int option)
{
    const int q = m_answers.current();
    if (m_answers.answer(option))
        cbQuestao->setItemText(q, QString::fromStdString(m_answers.itemTexts()[size_t(q)]));
    if (option >= 0 && option < 5 && m_answers.questionCount() > 0)
        m_session.answered(q, m_answers.answers(), q);
    selectCurrentItem();
}

void TformSimul::markOption(int option)
{
    if (!running() || option < 0 || option > 4)
        return;
    // Exactly what a click on the option does.
    rgRespostaItems[option]->click();
}

void TformSimul::Timer1Timer()
{
    ++m_elapsed;
    lTempo->setText(QStringLiteral("Duração: %1 s").arg(m_elapsed));
    m_session.tick(m_elapsed, m_answers.current());
}

void TformSimul::btFimClick()
{
    // Blank questions are asked about once; pressing it again after the
    // results only scores again.
    if (!m_key.empty() && !m_finished && !m_session.confirmFinish(m_answers.answers()))
        return;
    m_clock->setInterval(0);
    if (m_key.empty())
        return;
    m_finished = true;
    m_session.finish(m_elapsed, m_answers.answers());
    const ExamScore score = ExamScore::Compute(m_key, m_answers.answers(), m_elapsed);
    if (auto* results = m_ctx.windows.resultado) {
        results->ShowScore(score);
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

void TformSimul::btHistoricoClick()
{
    TformHistorico::Open(m_ctx);
}

void TformSimul::btInicioMouseDown()
{
    imLogo->copyRect(m_skinTop.pressed, btInicio->geometry());
}

void TformSimul::btInicioMouseUp()
{
    imLogo->copyRect(m_skinTop.normal, btInicio->geometry());
}

void TformSimul::MouseDown(TFocusImage* sender)
{
    imRight->copyRect(m_skinRight.pressed, sender->geometry());
}

void TformSimul::MouseUp(TFocusImage* sender)
{
    imRight->copyRect(m_skinRight.normal, sender->geometry());
}

int TformSimul::shownOption() const
{
    return rgRespostaGroup->checkedId();
}

void TformSimul::showStoredOption()
{
    setShownOption(m_answers.storedOption(m_answers.current()));
}

void TformSimul::setShownOption(int option)
{
    if (option >= 0 && option < 5) {
        rgRespostaItems[option]->setChecked(true);
        return;
    }
    // An exclusive group cannot be emptied while exclusive.
    rgRespostaGroup->setExclusive(false);
    for (QRadioButton* item : rgRespostaItems)
        item->setChecked(false);
    rgRespostaGroup->setExclusive(true);
}

void TformSimul::selectCurrentItem()
{
    const QSignalBlocker block(cbQuestao);
    cbQuestao->setCurrentIndex(m_answers.current());
}

bool TformSimul::running() const
{
    return !pResp->isHidden() && m_answers.questionCount() > 0;
}

bool TformSimul::paperInProgress() const
{
    return running() && !m_finished;
}

void TformSimul::arrangePanels()
{
    const int w = width();
    const int h = height();
    pTop->setGeometry(0, 0, w, TopHeight);
    imLogo->setGeometry(1, 1, qMax(0, w - 2), TopHeight - 2);
    const int below = qMax(0, h - TopHeight);
    const int column = pResp->isHidden() ? 0 : AnswerColumnWidth;
    pResp->setGeometry(w - AnswerColumnWidth, TopHeight, AnswerColumnWidth, below);
    pPDF->setGeometry(0, TopHeight, qMax(0, w - column), below);
    imSimul->setGeometry(pPDF->rect());
    PDF->setGeometry(pPDF->rect());
}

void TformSimul::FormResize()
{
    arrangePanels();
    Label2->move(pTop->width() - Label2->width() - 5, Label2->y());
    // On a screen too narrow for both it gives way to the start button.
    const int historicoLeft = pTop->width() - btHistorico->width() - 10;
    btHistorico->move(qMax(historicoLeft, btInicio->geometry().right() + 11), btHistorico->y());
    const int columnHeight = qMax(pResp->height(), pRespClient->minimumHeight());
    lTempo->move(lTempo->x(), columnHeight - lTempo->height() - 5);
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
    if (paperInProgress() && isVisible()) {
        if (!m_session.confirmLeave()) {
            e->ignore();
            return;
        }
        m_session.leave(m_elapsed, m_answers.current());
    }
    // Closing only hides the window; the clock stops.
    m_clock->setInterval(0);
    e->accept();
}

bool TformSimul::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pRespClient && event->type() == QEvent::Resize) {
        imRight->setGeometry(pRespClient->rect());
        lTempo->move(lTempo->x(), pRespClient->height() - lTempo->height() - 5);
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zelvora::gui

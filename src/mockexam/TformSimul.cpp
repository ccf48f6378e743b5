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
#include "mockexam/DurationBox.h"
#include "mockexam/ExamNotice.h"
#include "mockexam/ExamReview.h"
#include "mockexam/ExamScore.h"
#include "mockexam/MockExamList.h"
#include "mockexam/MockExamResources.h"
#include "mockexam/PaperInfoReader.h"
#include "mockexam/PaperNavigator.h"
#include "mockexam/PaperPath.h"
#include "mockexam/QtExamClock.h"
#include "mockexam/QuestionAids.h"
#include "mockexam/QuestionBox.h"
#include "mockexam/TformResultado.h"
#include "mockexam/TformRevisao.h"
#include "mockexam/TPdfViewer.h"
#include "text/Collation.h"
#include "text/DataFile.h"
#include "usermaterial/PaperAdditions.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
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
using mockexam::CountdownEvent;
using mockexam::ExamClock;
using mockexam::ExamCountdown;
using mockexam::ExamReview;
using mockexam::ExamScore;
using mockexam::ItemType;
using mockexam::MockExamEntry;
using mockexam::MockExamList;
using mockexam::PaperInfo;
using mockexam::PaperInfoReader;
using mockexam::PaperPath;

namespace {

const QString MsgLista = QStringLiteral("Não foi possível carregar a lista de simulados.");
const QString MsgProva = QStringLiteral("Não foi possível carregar a prova");
const QString MsgGabarito = QStringLiteral("Não foi possível carregar o gabarito da prova.");

constexpr int TopHeight = 117;
constexpr int AnswerColumnWidth = 198;
constexpr int TempoHeight = 29;
// Right above the clock at the foot of the answer column (the column's
// picture may carry text of its own under the buttons): the review mark, or
// in the review the line that names both answers.
constexpr int ButtonsBottom = 169;
constexpr int AidsHeight = 32;

// Option colours in the review, on the answer box's blue.
const QColor KeyOptionColour(0x8C, 0xF0, 0x8C);
const QColor WrongOptionColour(0xFF, 0x9A, 0x9A);
const QColor StruckOptionColour(0xA8, 0xB4, 0xC8);

// The info file of a paper, or the defaults when it has none. What cannot be
// read is left out (zelvora-check names it).
PaperInfo ReadPaperInfo(const std::string& folder, const MockExamEntry& entry)
{
    const auto reading = PaperInfoReader::Load(PaperPath::Resolve(folder, PaperPath::InfoPathFor(entry.pdfPath)));
    return reading ? reading->info : PaperInfo{};
}

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
    m_reviewWindow->setWindowTitle(ctx.title);
    connect(m_reviewWindow, &TformRevisao::questionChosen, this, Guarded(m_ctx, this, &TformSimul::showReviewQuestion));
    connect(m_reviewWindow, &TformRevisao::closed, this, Guarded(m_ctx, this, &TformSimul::leaveReview));
    resize(921, TopHeight + 329);

    // "Adicionar prova" right of btInicio, and removing one's own papers
    // from the selector's context menu.
    PaperAdditions::Hooks hooks;
    hooks.selectedEntry = [this]() -> std::optional<MockExamEntry> {
        const int item = comboProva->currentIndex();
        const int index = item < 0 ? -1 : comboProva->itemData(item).toInt();
        return index >= 0 && size_t(index) < m_entries.size() ? std::optional(m_entries[size_t(index)]) : std::nullopt;
    };
    hooks.reload = [this](const std::optional<MockExamEntry>& chosen) { reloadList(chosen); };
    m_additions = new PaperAdditions(m_ctx, this, pTop, comboProva, std::move(hooks));
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
    Label2->setAccessibleName(QStringLiteral("Fechar"));
    Label2->setFocusPolicy(Qt::TabFocus); // after it was sized to its text
    connect(Label2, &ClickableLabel::clicked, this, Guarded(m_ctx, this, &TformSimul::Label2Click));

    btInicio = Named(new TFocusImage(QRect(653, 80, 128, 36), pTop), "btInicio");
    connect(btInicio, &TFocusImage::OnMouseDown, this, Guarded(m_ctx, this, &TformSimul::btInicioMouseDown));
    connect(btInicio, &TFocusImage::OnMouseUp, this, Guarded(m_ctx, this, &TformSimul::btInicioMouseUp));
    connect(btInicio, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btInicioClick));
    btInicio->setText(QStringLiteral("Iniciar"));

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
    comboProva->setAccessibleName(QStringLiteral("Selecione a Prova"));
    // Tab goes from the paper list to the start button beside it.
    setTabOrder(comboProva, btInicio);

    // The time limit, right above the start button.
    edDuracao = Named(new DurationBox(pTop), "edDuracao");
    edDuracao->setFont(Arial(14));
    edDuracao->setGeometry(653, 46, 128, 28);
    edDuracao->setAccessibleName(QStringLiteral("Tempo de prova"));
    setTabOrder(btInicio, edDuracao);
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
    pRespClient->setMinimumSize(AnswerColumnWidth, ButtonsBottom + 4 + AidsHeight + TempoHeight + 5);
    pRespClient->installEventFilter(this);
    pResp->setWidget(pRespClient);

    imRight = Named(new ImageView(pRespClient), "imRight");

    lQuestao = Named(WhiteLabel(QStringLiteral("Selecione a questão:"), Arial(11), pRespClient, {9, 3}), "lQuestao");

    cbQuestao = Named(new QuestionBox(pRespClient), "cbQuestao");
    cbQuestao->setFont(Arial(11));
    cbQuestao->setGeometry(8, 17, 179, 21);
    connect(cbQuestao, &QComboBox::activated, this, Guarded(m_ctx, this, &TformSimul::cbQuestaoChange));
    cbQuestao->setAccessibleName(QStringLiteral("Selecione a questão"));

    rgResposta = Named(new QGroupBox(QStringLiteral(" Resposta "), pRespClient), "rgResposta");
    rgResposta->setGeometry(8, 43, 113, 61);
    rgResposta->setAccessibleName(QStringLiteral("Resposta"));
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
        // A right click strikes the option out, or back in.
        item->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(item, &QWidget::customContextMenuRequested, this, Guarded(m_ctx, [this, i] { toggleStruck(i); }));
    }
    connect(rgRespostaGroup, &QButtonGroup::idClicked, this, Guarded(m_ctx, this, &TformSimul::rgRespostaClick));

    btProxima = Named(new TFocusImage(QRect(121, 49, 73, 30), pRespClient), "btProxima");
    btAnterior = Named(new TFocusImage(QRect(121, 78, 73, 30), pRespClient), "btAnterior");
    btFim = Named(new TFocusImage(QRect(1, 110, 193, 30), pRespClient), "btFim");
    btSair = Named(new TFocusImage(QRect(1, 139, 193, 30), pRespClient), "btSair");
    btProxima->setText(QStringLiteral("Próxima"));
    btAnterior->setText(QStringLiteral("Anterior"));
    btFim->setText(QStringLiteral("Finalizar"));
    btSair->setText(QStringLiteral("Sair"));
    for (TFocusImage* b : {btProxima, btAnterior, btFim, btSair}) {
        connect(b, &TFocusImage::OnMouseDown, this, Guarded(m_ctx, this, &TformSimul::MouseDown));
        connect(b, &TFocusImage::OnMouseUp, this, Guarded(m_ctx, this, &TformSimul::MouseUp));
    }
    connect(btProxima, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btProximaClick));
    connect(btAnterior, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btAnteriorClick));
    connect(btFim, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btFimClick));
    connect(btSair, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformSimul::btSairClick));

    ckRevisar = Named(new QCheckBox(QStringLiteral("Revisar depois"), pRespClient), "ckRevisar");
    ckRevisar->setFont(Arial(12, true));
    {
        QPalette pal = ckRevisar->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        pal.setColor(QPalette::ButtonText, Qt::white);
        ckRevisar->setPalette(pal);
    }
    ckRevisar->setToolTip(QStringLiteral("Marca a questão para voltar a ela (tecla R)"));
    ckRevisar->setFocusPolicy(Qt::NoFocus);
    ckRevisar->resize(124, 20);
    m_aids = new QuestionAids(m_ctx, PDF, pRespClient, this);
    m_aids->guessBox()->setFont(Arial(12, true));
    m_aids->guessBox()->setPalette(ckRevisar->palette());
    m_aids->guessBox()->resize(66, 20);
    connect(m_aids, &QuestionAids::guessToggled, this, Guarded(m_ctx, [this](bool on) {
                if (on != m_answers.guessed(m_answers.current()))
                    toggleGuess();
            }));
    connect(m_aids, &QuestionAids::noteSaved, this, Guarded(m_ctx, [this](int) {
                if (m_reviewWindow->isVisible())
                    showReview();
            }));
    connect(ckRevisar, &QCheckBox::clicked, this, Guarded(m_ctx, [this](bool on) {
                if (on != m_answers.markedForReview(m_answers.current()))
                    toggleReviewMark();
            }));
    lGabarito = Named(WhiteLabel(QString(), Arial(11, true), pRespClient), "lGabarito");
    lGabarito->resize(186, AidsHeight);
    lGabarito->setWordWrap(true);
    lGabarito->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lGabarito->hide();

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
    if (btSair->isVisibleTo(this))
        btSair->press();
    else
        btSairClick();
}

void TformSimul::FormCreate()
{
    try {
        m_skinTop.load(m_ctx.dataFolder, QStringLiteral("simul"));
        imLogo->setPicture([this] { return m_skinTop.normal(); });
        m_skinRight.load(m_ctx.dataFolder, QStringLiteral("botoes"));
        imRight->setPicture([this] { return m_skinRight.normal(); });

        if (const QScreen* screen = QGuiApplication::primaryScreen())
            setGeometry(screen->geometry());

        m_additions->updateEnabled();
        auto entries = readLists();
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

std::optional<std::vector<MockExamEntry>> TformSimul::readLists() const
{
    // The lists of every folder, the user's first; each entry keeps the
    // index of its folder. Nothing when no folder has a readable list.
    std::vector<std::string> folders;
    for (const QString& folder : m_ctx.mockExamFolders())
        folders.push_back(QFileInfo(folder).isDir() ? QFile::encodeName(folder).toStdString() : std::string());
    std::vector<std::vector<MockExamEntry>> lists(folders.size());
    bool any = false;
    for (size_t i = 0; i < folders.size(); ++i)
        if (!folders[i].empty())
            if (auto list = MockExamList::Load(folders[i])) {
                lists[i] = std::move(*list);
                any = true;
            }
    if (!any)
        return std::nullopt;
    return MockExamList::Merge(lists);
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
    edDuracao->setDuration(std::nullopt);
    lAviso->hide();
    m_reviewWindow->hide();
    leaveReview();
    arrangePanels();
}

void TformSimul::comboProvaChange()
{
    btInicio->setEnabled(true);
    // The chosen paper's time limit, which the user may still change.
    const int item = comboProva->currentIndex();
    const int index = item < 0 ? -1 : comboProva->itemData(item).toInt();
    if (index >= 0 && size_t(index) < m_entries.size())
        edDuracao->setDuration(
            ReadPaperInfo(folderOf(m_entries[size_t(index)]), m_entries[size_t(index)]).durationSeconds);
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
    // The running paper is kept and can be taken up again; still, ask.
    if (paperInProgress()) {
        if (!m_session.confirmLeave())
            return;
        m_session.leave(m_elapsed, m_answers.current());
        m_aids->saveTimes();
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
    // The paper and its key are in the folder its list line came from.
    const std::string folder = folderOf(entry);
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

    m_reviewWindow->hide();
    leaveReview();
    m_info = ReadPaperInfo(folder, entry);
    m_key = *key;
    m_answers.start(m_key.size(), m_info.itemType);
    setOptionLetters();
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
    showOptionLooks();
    ckRevisar->setChecked(false);
    lAviso->hide();

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
    // The key's bytes identify the paper's version; read as safely as the key.
    const auto keyRead = text::DataFile::Read(PaperPath::Resolve(folder, PaperPath::KeyPathFor(entry.pdfPath)),
                                              text::DataFile::KeyCap);
    const QByteArray keyBytes = keyRead ? QByteArray::fromStdString(*keyRead) : QByteArray();
    // The data folder the paper's list line came from (its "simu" folder's parent).
    const QString paperDataFolder = QDir::cleanPath(QFile::decodeName(folder.c_str()) + QStringLiteral("/..")) + '/';
    const attempts::PaperIdentity paper{QFileInfo(pdfPath).absoluteFilePath(), paperDataFolder,
                                        attempts::PaperIdentity::HashKey(keyBytes)};
    const auto start = m_session.start(paper, FromAnsi(entry.name), m_key);
    // A clock still running from the previous paper may have ticked while
    // the question was open.
    m_elapsed = 0;
    m_timeUp = false;
    lockAnswers(false);
    if (start.resumed)
        restoreAttempt(start);
    m_answers.restoreGuesses(
        m_aids->paperStarted(pdfPath, int(m_key.size()), m_answers.current(), m_session.attemptId(), start.resumed));
    for (int q = 0; q < int(m_key.size()); ++q) {
        if (m_answers.guessed(q))
            showItemExtra(q);
    }
    showStoredOption();
    // A resumed attempt has used part of the time limit already.
    const int limit = edDuracao->duration().value_or(0);
    m_countdown.start(limit > 0 ? int(std::max<long long>(1, limit - m_elapsed)) : 0);
    if (m_countdown.limited())
        lTempo->setText(QString::fromStdString(m_countdown.text()));
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
    if (m_reviewing || m_timeUp) {
        // Answers are read-only here: the option shown goes back.
        showStoredOption();
        return;
    }
    const int q = m_answers.current();
    if (m_answers.answer(option))
        cbQuestao->setItemText(q, QString::fromStdString(m_answers.itemTexts()[size_t(q)]));
    showItemExtra(q);
    if (option >= 0 && option < 5 && m_answers.questionCount() > 0)
        m_session.answered(q, m_answers.answers(), q);
    selectCurrentItem();
}

void TformSimul::markOption(int option)
{
    if (!running() || m_reviewing || m_timeUp || option < 0 || option >= m_answers.optionCount())
        return;
    // Exactly what a click on the option does.
    rgRespostaItems[option]->click();
}

void TformSimul::markKey(int index, bool digit)
{
    // Letters A to E and digits 1 to 5 are options A to E; on a right/wrong
    // paper C and 1 are Certo, E and 2 Errado.
    int option = index;
    if (m_answers.itemType() == ItemType::RightWrong)
        option = digit ? (index < 2 ? index : -1) : (index == 2 ? 0 : index == 4 ? 1 : -1);
    markOption(option);
}

void TformSimul::toggleReviewMark()
{
    if (!running() || m_reviewing)
        return;
    m_answers.toggleReview();
    const int q = m_answers.current();
    ckRevisar->setChecked(m_answers.markedForReview(q));
    showItemExtra(q);
}

void TformSimul::toggleGuess()
{
    if (!running() || m_reviewing || m_timeUp)
        return;
    m_answers.toggleGuess();
    const int q = m_answers.current();
    m_aids->guessChanged(q, m_answers.guessed(q));
    showItemExtra(q);
}

void TformSimul::writeNote()
{
    if (running())
        m_aids->editNote(m_answers.current());
}

void TformSimul::toggleStruck(int option)
{
    if (!running() || m_reviewing)
        return;
    m_answers.toggleStruck(option);
    showOptionLooks();
}

void TformSimul::showItemExtra(int question)
{
    cbQuestao->setItemExtra(question, QString::fromStdString(m_answers.itemExtra(question)));
}

void TformSimul::setOptionLetters()
{
    // A to E, or C and E in the first column on a right/wrong paper.
    for (int i = 0; i < 5; ++i) {
        const bool offered = i < m_answers.optionCount();
        if (offered)
            rgRespostaItems[i]->setText(QString::fromStdString(m_answers.optionLetter(i)));
        rgRespostaItems[i]->setVisible(offered);
    }
}

void TformSimul::showOptionLooks()
{
    // Struck-out options in a grey, crossed-out letter; in the review the
    // key's option in green and a wrong answer in red.
    const int q = m_answers.current();
    const int given = m_answers.storedOption(q);
    const int key = q < int(m_key.size()) ? m_info.optionOf(m_key[size_t(q)]) : -1;
    for (int i = 0; i < 5; ++i) {
        QRadioButton* item = rgRespostaItems[i];
        QFont f = item->font();
        f.setStrikeOut(m_answers.struck(q, i));
        item->setFont(f);
        QColor colour = Qt::white;
        if (m_answers.struck(q, i))
            colour = StruckOptionColour;
        if (m_reviewing && i == key)
            colour = KeyOptionColour;
        else if (m_reviewing && i == given)
            colour = WrongOptionColour;
        QPalette pal = item->palette();
        pal.setColor(QPalette::WindowText, colour);
        pal.setColor(QPalette::ButtonText, colour);
        item->setPalette(pal);
    }
    if (!m_reviewing)
        return;
    const auto review = ExamReview::Build(m_key, m_answers.answers(), m_answers.reviewMarks(), m_info);
    if (size_t(q) < review.rows().size()) {
        const auto& row = review.rows()[size_t(q)];
        lGabarito->setText(QStringLiteral("Gabarito: %1   Sua resposta: %2 (%3)")
                               .arg(QString::fromStdString(row.key.empty() ? "-" : row.key),
                                    QString::fromStdString(row.given.empty() ? "-" : row.given),
                                    QString::fromUtf8(mockexam::StatusText(row.status))));
    }
}

void TformSimul::lockAnswers(bool locked)
{
    for (QRadioButton* item : rgRespostaItems) {
        item->setAttribute(Qt::WA_TransparentForMouseEvents, locked);
        item->setFocusPolicy(locked ? Qt::NoFocus : Qt::StrongFocus);
    }
}

void TformSimul::showReview()
{
    // Only a finished exam is reviewed: while a paper runs (another one
    // started behind the results) its key stays hidden.
    if (m_key.empty() || m_clock->interval() != 0)
        return;
    auto review = ExamReview::Build(m_key, m_answers.answers(), m_answers.reviewMarks(), m_info);
    m_aids->addTo(review, m_answers.guesses());
    m_reviewWindow->setReview(review);
    if (!m_reviewWindow->isVisible()) {
        // Beside the answer column, over the paper's left part.
        const QRect area = geometry();
        m_reviewWindow->move(area.left() + 24, area.top() + TopHeight + 24);
    }
    m_reviewWindow->show();
    m_reviewWindow->raise();
    m_reviewWindow->activateWindow();
}

void TformSimul::showReviewQuestion(int question)
{
    if (m_clock->interval() != 0 || !m_answers.select(question))
        return;
    m_reviewing = true;
    lockAnswers(true);
    ckRevisar->hide();
    m_aids->guessBox()->hide();
    lGabarito->show();
    selectCurrentItem();
    showStoredOption();
    // The paper turns to the question: to its place when the map has one,
    // else to the first page that names it.
    if (!m_aids->navigator()->loader().map().placeOf(question + 1))
        PDF->showPageWith(QStringLiteral("Questão %1").arg(question + 1));
}

void TformSimul::leaveReview()
{
    if (!m_reviewing)
        return;
    m_reviewing = false;
    lockAnswers(m_timeUp);
    lGabarito->hide();
    ckRevisar->show();
    m_aids->guessBox()->show();
    showOptionLooks();
}

void TformSimul::Timer1Timer()
{
    ++m_elapsed;
    m_session.tick(m_elapsed, m_answers.current());
    m_aids->tick(m_answers.current());
    if (!m_countdown.limited()) {
        lTempo->setText(QStringLiteral("Duração: %1 s").arg(m_elapsed));
        return;
    }
    const CountdownEvent event = m_countdown.tick();
    lTempo->setText(QString::fromStdString(m_countdown.text()));
    lAviso->tick();
    if (event == CountdownEvent::ThirtyMinutesLeft || event == CountdownEvent::FiveMinutesLeft)
        lAviso->showNotice(QString::fromStdString(ExamCountdown::NoticeText(event)));
    else if (event == CountdownEvent::TimeUp)
        finishWhenTimeIsUp();
}

void TformSimul::finishWhenTimeIsUp()
{
    // The exam ends as a press of Finalizar would end it; answers stay as
    // they were when the time ran out.
    m_timeUp = true;
    lAviso->hide();
    lockAnswers(true);
    btFimClick();
}

void TformSimul::btFimClick()
{
    // Blank questions are asked about once; pressing it again after the
    // results only scores again.
    if (!m_key.empty() && !m_finished && !m_session.confirmFinish(m_answers.answers()))
        return;
    m_clock->setInterval(0);
    // With the clock stopped a notice would never go by itself.
    lAviso->hide();
    if (m_key.empty())
        return;
    m_finished = true;
    m_session.finish(m_elapsed, m_answers.answers());
    m_aids->saveTimes();
    const ExamScore score = ExamScore::Compute(m_key, m_answers.answers(), m_elapsed, m_info);
    if (m_reviewWindow->isVisible())
        showReview();
    if (auto* results = m_ctx.windows.resultado) {
        results->ShowScore(score, m_timeUp,
                           m_aids->resultLines(m_key, m_answers.answers(), m_answers.guesses(), m_elapsed, m_info));
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
    imLogo->copyRect(m_skinTop.pressed(), btInicio->geometry());
}

void TformSimul::btInicioMouseUp()
{
    imLogo->copyRect(m_skinTop.normal(), btInicio->geometry());
}

void TformSimul::MouseDown(TFocusImage* sender)
{
    imRight->copyRect(m_skinRight.pressed(), sender->geometry());
}

void TformSimul::MouseUp(TFocusImage* sender)
{
    imRight->copyRect(m_skinRight.normal(), sender->geometry());
}

int TformSimul::shownOption() const
{
    return rgRespostaGroup->checkedId();
}

void TformSimul::showStoredOption()
{
    const int q = m_answers.current();
    setShownOption(m_answers.storedOption(q));
    {
        const QSignalBlocker block(ckRevisar);
        ckRevisar->setChecked(m_answers.markedForReview(q));
    }
    showOptionLooks();
    if (running())
        m_aids->questionShown(q, m_answers.guessed(q));
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
    placeAids();
}

void TformSimul::placeAids()
{
    const int top = lTempo->y() - AidsHeight;
    ckRevisar->move(8, top + AidsHeight - ckRevisar->height());
    m_aids->guessBox()->move(ckRevisar->x() + ckRevisar->width() + 2, ckRevisar->y());
    lGabarito->move(8, top);
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
        m_aids->saveTimes();
    }
    // Closing only hides the window; the clock stops.
    m_clock->setInterval(0);
    m_reviewWindow->hide();
    e->accept();
}

bool TformSimul::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pRespClient && event->type() == QEvent::Resize) {
        imRight->setGeometry(pRespClient->rect());
        lTempo->move(lTempo->x(), pRespClient->height() - lTempo->height() - 5);
        placeAids();
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zelvora::gui

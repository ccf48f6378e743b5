#include "mockexam/AnswerColumn.h"

#include "app/ImageView.h"
#include "app/Look.h"
#include "app/TFocusImage.h"
#include "mockexam/AnswerCard.h"
#include "mockexam/ExamRun.h"
#include "mockexam/QuestionBox.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>

namespace zelvora::gui {

namespace {

constexpr int TempoHeight = 29;
// Right above the clock at the foot of the column (its picture may carry
// text of its own under the buttons): the review mark, or in the review the
// line that names both answers.
constexpr int ButtonsBottom = 169;
constexpr int AidsHeight = 32;
// The review's verdict ("Gabarito: D", "Sua resposta: em branco") in type
// large enough to read at a glance: up to three lines above the clock.
constexpr int VerdictHeight = 60;
// The answer card between the buttons and the verdict: at least two rows.
constexpr int CardTop = ButtonsBottom + 6;
constexpr int CardMinHeight = 2 * AnswerCard::CellHeight;
// The clock's colour in the last five minutes.
const QColor ClockEndingColour(0xFF, 0xB8, 0x3C);

// Option colours in the review, on the answer box's blue.
const QColor KeyOptionColour(0x8C, 0xF0, 0x8C);
const QColor WrongOptionColour(0xFF, 0x9A, 0x9A);
const QColor StruckOptionColour(0xA8, 0xB4, 0xC8);

void WhiteText(QWidget* w)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, Qt::white);
    pal.setColor(QPalette::ButtonText, Qt::white);
    w->setPalette(pal);
}

} // namespace

AnswerColumn::AnswerColumn(QWidget* parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("pResp"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    Paint(this, AnswerColumnColour());
    pRespClient = Named(new QWidget, "pRespClient");
    Paint(pRespClient, AnswerColumnColour());
    // Everything down to the clock stays reachable on a short screen.
    pRespClient->setMinimumSize(Width, CardTop + CardMinHeight + 4 + VerdictHeight + TempoHeight + 5);
    pRespClient->installEventFilter(this);
    setWidget(pRespClient);

    imRight = Named(new ImageView(pRespClient), "imRight");

    lQuestao = Named(WhiteLabel(QStringLiteral("Selecione a questão:"), Arial(11), pRespClient, {9, 3}), "lQuestao");

    cbQuestao = Named(new QuestionBox(pRespClient), "cbQuestao");
    cbQuestao->setFont(Arial(11));
    cbQuestao->setGeometry(8, 17, 179, 21);
    cbQuestao->setAccessibleName(QStringLiteral("Selecione a questão"));

    rgResposta = Named(new QGroupBox(QStringLiteral(" Resposta "), pRespClient), "rgResposta");
    rgResposta->setGeometry(8, 43, 113, 61);
    rgResposta->setAccessibleName(QStringLiteral("Resposta"));
    rgResposta->setFont(Arial(12, true));
    Paint(rgResposta, AnswerBoxColour());
    WhiteText(rgResposta);
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
        connect(item, &QWidget::customContextMenuRequested, this, [this, i] { emit optionStruck(i); });
    }
    connect(rgRespostaGroup, &QButtonGroup::idClicked, this, &AnswerColumn::optionClicked);

    btProxima = Named(new TFocusImage(QRect(121, 49, 73, 30), pRespClient), "btProxima");
    btAnterior = Named(new TFocusImage(QRect(121, 78, 73, 30), pRespClient), "btAnterior");
    btFim = Named(new TFocusImage(QRect(1, 110, 193, 30), pRespClient), "btFim");
    btSair = Named(new TFocusImage(QRect(1, 139, 193, 30), pRespClient), "btSair");
    btProxima->setText(QStringLiteral("Próxima"));
    btAnterior->setText(QStringLiteral("Anterior"));
    btFim->setText(QStringLiteral("Finalizar"));
    btSair->setText(QStringLiteral("Sair"));

    ckRevisar = Named(new QCheckBox(QStringLiteral("Revisar depois"), pRespClient), "ckRevisar");
    ckRevisar->setFont(Arial(12, true));
    WhiteText(ckRevisar);
    ckRevisar->setToolTip(QStringLiteral("Marca a questão para voltar a ela (tecla R)"));
    ckRevisar->setFocusPolicy(Qt::NoFocus);
    ckRevisar->resize(186, 20);
    connect(ckRevisar, &QCheckBox::clicked, this, &AnswerColumn::reviewMarkClicked);
    lGabarito = Named(WhiteLabel(QString(), Arial(15, true), pRespClient), "lGabarito");
    lGabarito->resize(188, VerdictHeight);
    lGabarito->setWordWrap(true);
    lGabarito->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lGabarito->hide();

    lTempo = Named(WhiteLabel(QStringLiteral("00 s"), Arial(24, true), pRespClient), "lTempo");
    lTempo->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lTempo->setGeometry(0, 180, 194, TempoHeight);

    gCartao = new AnswerCard(pRespClient);
    gCartao->setGeometry(8, CardTop, 182, CardMinHeight);
    connect(gCartao, &AnswerCard::questionChosen, this, &AnswerColumn::questionChosen);
}

void AnswerColumn::showPaper(const mockexam::ExamRun& run)
{
    const auto& answers = run.answers();
    // A to E in three columns, or "Certo" and "Errado" across the box on a
    // right/wrong paper; the selector and its label say "Item" there.
    const bool rightWrong = answers.itemType() == mockexam::ItemType::RightWrong;
    for (int i = 0; i < 5; ++i) {
        const bool offered = i < answers.optionCount();
        QRadioButton* item = rgRespostaItems[i];
        if (offered)
            item->setText(rightWrong ? (i == 0 ? QStringLiteral("Certo") : QStringLiteral("Errado"))
                                     : QString::fromStdString(answers.optionLetter(i)));
        item->setGeometry(rightWrong ? QRect(6, 17 + i * 20, 100, 19)
                                     : QRect(6 + (i / 2) * 35, 17 + (i % 2) * 20, 34, 19));
        item->setVisible(offered);
    }
    lQuestao->setText(rightWrong ? QStringLiteral("Selecione o item:") : QStringLiteral("Selecione a questão:"));
    lQuestao->adjustSize();
    cbQuestao->setAccessibleName(rightWrong ? QStringLiteral("Selecione o item")
                                            : QStringLiteral("Selecione a questão"));
    gCartao->setQuestionCount(int(answers.questionCount()));
    for (int q = 0; q < int(answers.questionCount()); ++q)
        showCell(run, q);
    const QSignalBlocker block(cbQuestao);
    cbQuestao->clear();
    QStringList items;
    for (const auto& text : answers.itemTexts())
        items << QString::fromStdString(text);
    cbQuestao->addItems(items);
    for (int q = 0; q < cbQuestao->count(); ++q)
        cbQuestao->setItemExtra(q, QString::fromStdString(answers.itemExtra(q)));
    cbQuestao->setCurrentIndex(answers.current());
}

void AnswerColumn::showItem(const mockexam::ExamRun& run, int question)
{
    const auto& answers = run.answers();
    if (question < 0 || size_t(question) >= answers.itemTexts().size())
        return;
    cbQuestao->setItemText(question, QString::fromStdString(answers.itemTexts()[size_t(question)]));
    cbQuestao->setItemExtra(question, QString::fromStdString(answers.itemExtra(question)));
    showCell(run, question);
}

void AnswerColumn::showCell(const mockexam::ExamRun& run, int question)
{
    const auto& answers = run.answers();
    const int option = answers.storedOption(question);
    gCartao->setCell(question, option >= 0 ? QString::fromStdString(answers.optionLetter(option)) : QString(),
                     answers.markedForReview(question), answers.guessed(question));
}

void AnswerColumn::setClockEnding(bool ending)
{
    QPalette pal = lTempo->palette();
    pal.setColor(QPalette::WindowText, ending ? ClockEndingColour : QColor(Qt::white));
    lTempo->setPalette(pal);
}

void AnswerColumn::showQuestion(const mockexam::ExamRun& run)
{
    const auto& answers = run.answers();
    const int q = answers.current();
    {
        const QSignalBlocker block(cbQuestao);
        cbQuestao->setCurrentIndex(q);
    }
    setShownOption(answers.storedOption(q));
    {
        const QSignalBlocker block(ckRevisar);
        ckRevisar->setChecked(answers.markedForReview(q));
    }
    if (gCartao->questionCount() > q) {
        showCell(run, q);
        gCartao->setCurrent(q);
    }
    const bool reviewing = run.reviewing();
    ckRevisar->setVisible(!reviewing);
    lGabarito->setVisible(reviewing);
    lockAnswers(run.answersLocked());
    // Struck-out options in a grey, crossed-out letter; in the review the
    // key's option in green and a wrong answer in red.
    const int given = answers.storedOption(q);
    const int key = run.keyOption(q);
    for (int i = 0; i < 5; ++i) {
        QRadioButton* item = rgRespostaItems[i];
        QFont f = item->font();
        f.setStrikeOut(answers.struck(q, i));
        item->setFont(f);
        QColor colour = Qt::white;
        if (answers.struck(q, i))
            colour = StruckOptionColour;
        if (reviewing && i == key)
            colour = KeyOptionColour;
        else if (reviewing && i == given)
            colour = WrongOptionColour;
        QPalette pal = item->palette();
        pal.setColor(QPalette::WindowText, colour);
        pal.setColor(QPalette::ButtonText, colour);
        item->setPalette(pal);
    }
    if (!reviewing)
        return;
    const auto review = run.review();
    if (size_t(q) < review.rows().size()) {
        const auto& row = review.rows()[size_t(q)];
        const QString given = row.given.empty()
            ? QStringLiteral("em branco")
            : QStringLiteral("%1 (%2)").arg(QString::fromStdString(row.given),
                                            QString::fromUtf8(mockexam::StatusText(row.status)));
        lGabarito->setText(QStringLiteral("Gabarito: %1\nSua resposta: %2")
                               .arg(QString::fromStdString(row.key.empty() ? "-" : row.key), given));
    }
}

int AnswerColumn::shownOption() const
{
    return rgRespostaGroup->checkedId();
}

void AnswerColumn::setShownOption(int option)
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

void AnswerColumn::lockAnswers(bool locked)
{
    for (QRadioButton* item : rgRespostaItems) {
        item->setAttribute(Qt::WA_TransparentForMouseEvents, locked);
        item->setFocusPolicy(locked ? Qt::NoFocus : Qt::StrongFocus);
    }
}

void AnswerColumn::placeClock()
{
    const int columnHeight = qMax(height(), pRespClient->minimumHeight());
    lTempo->move(lTempo->x(), columnHeight - lTempo->height() - 5);
    placeAids();
}

void AnswerColumn::placeAids()
{
    const int top = lTempo->y() - AidsHeight;
    ckRevisar->move(8, top + AidsHeight - ckRevisar->height());
    lGabarito->setGeometry(6, lTempo->y() - VerdictHeight, 188, VerdictHeight);
    // The card takes what is left between the buttons and the verdict.
    const int cardBottom = lTempo->y() - VerdictHeight - 4;
    gCartao->setGeometry(8, CardTop, 182, qMax(CardMinHeight, cardBottom - CardTop));
}

bool AnswerColumn::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == pRespClient && event->type() == QEvent::Resize) {
        imRight->setGeometry(pRespClient->rect());
        lTempo->move(lTempo->x(), pRespClient->height() - lTempo->height() - 5);
        placeAids();
    }
    return QScrollArea::eventFilter(watched, event);
}

void AnswerColumn::loadSkin(const QString& dataFolder)
{
    m_skin.load(dataFolder, QStringLiteral("botoes"));
    imRight->setPicture([this] { return m_skin.normal(); });
}

void AnswerColumn::showPressed(const TFocusImage* button, bool pressed)
{
    imRight->copyRect(pressed ? m_skin.pressed() : m_skin.normal(), button->geometry());
}

void AnswerColumn::clearSkin()
{
    m_skin.clear();
}

} // namespace zelvora::gui

#include "mockexam/TformResultado.h"

#include "app/GuardedSlot.h"
#include "app/ImageView.h"
#include "app/Look.h"
#include "mockexam/BoardScore.h"
#include "mockexam/ExamScore.h"
#include "mockexam/MockExamResources.h"
#include "mockexam/ResultsFooter.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>

#include <utility>

namespace zelvora::gui {

using mockexam::ExamScore;

namespace {

// A rule drawn with underscores in the window's default font, as wide as it says.
QLabel* Rule(QWidget* parent, int left, int top, int width)
{
    QFont font = parent->font();
    font.setPixelSize(11);
    auto* l = new QLabel(parent);
    l->setFont(font);
    const int underscore = qMax(1, QFontMetrics(font).horizontalAdvance(QLatin1Char('_')));
    l->setText(QString(width / underscore + 1, QLatin1Char('_')));
    l->setGeometry(left, top, width, QFontMetrics(font).height());
    return l;
}

} // namespace

TformResultado::TformResultado(app::AppContext& ctx, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::WindowStaysOnTopHint)
    , m_ctx(ctx)
{
    setFixedSize(363, 446 + ResultsFooter::ButtonRowHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    imResultado = Named(new ImageView(this), "imResultado");
    imResultado->setGeometry(0, 0, 363, 446);
    imResultado->setPicture(std::function<QImage()>(mockexam::ResultsPicture));

    lResultado = Named(WhiteLabel(QStringLiteral("Resultado"), Arial(19, true), this, {8, 8}), "lResultado");
    Label1 = Named(WhiteLabel(QStringLiteral("Acertos:"), Arial(16), this, {8, 40}), "Label1");
    lAcerto = Named(WhiteLabel(QString(), Arial(16), this, {71, 40}), "lAcerto");
    Label2 = Named(WhiteLabel(QStringLiteral("Porcentagem de acerto:"), Arial(16), this, {8, 68}), "Label2");
    lPorc = Named(WhiteLabel(QString(), Arial(16), this, {180, 68}), "lPorc");
    Label8 = Named(Rule(this, 5, 89, 354), "Label8");
    Label9 = Named(WhiteLabel(QStringLiteral("Tempo total:"), Arial(16), this, {9, 109}), "Label9");
    lTTotal = Named(WhiteLabel(QString(), Arial(16), this, {100, 109}), "lTTotal");
    Label3 = Named(WhiteLabel(QStringLiteral("Questões por segundo:"), Arial(16), this, {8, 134}), "Label3");
    lMedia = Named(WhiteLabel(QString(), Arial(16), this, {173, 134}), "lMedia");
    Label7 = Named(Rule(this, 5, 153, 354), "Label7");
    Label4 = Named(WhiteLabel(QStringLiteral("Questões certas:"), Arial(16), this, {8, 172}), "Label4");
    lQC = Named(WhiteLabel(QString(), Arial(15, false, true), this, {8, 194}), "lQC");
    lQC->setGeometry(8, 194, 205, 121);
    Label5 = Named(WhiteLabel(QStringLiteral("Questões erradas:"), Arial(16), this, {8, 327}), "Label5");
    lQE = Named(WhiteLabel(QString(), Arial(15, false, true), this, {8, 351}), "lQE");
    lQE->setGeometry(8, 351, 345, 87);
    // Each value starts at its place in the layout or, where the font is
    // wider than the one the layout was made for, a space after its label.
    for (auto [label, value] : {std::pair{Label1, lAcerto}, {Label2, lPorc}, {Label9, lTTotal}, {Label3, lMedia}}) {
        const QFontMetrics metrics(label->font());
        const int after = label->x() + metrics.horizontalAdvance(label->text())
            + metrics.horizontalAdvance(QLatin1Char(' '));
        value->move(qMax(value->x(), after), value->y());
    }
    setAccessibleDescription(QStringLiteral("Resultado do simulado")); // its name is its caption
    for (QLabel* list : {lQC, lQE}) {
        list->setWordWrap(true);
        list->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

    btHistorico = Named(new QPushButton(QStringLiteral("Histórico"), this), "btHistorico");
    btHistorico->setAutoDefault(false);
    connect(btHistorico, &QPushButton::clicked, this, Guarded(m_ctx, this, &TformResultado::btHistoricoClick));
    // The mistakes notebook on the right questions' heading, at the right
    // edge, above the picture's mark and clear of the window's middle.
    btCaderno = Named(new QPushButton(QStringLiteral("Caderno de erros"), this), "btCaderno");
    btCaderno->setAutoDefault(false);
    btCaderno->setFont(Arial(12));
    const int cadernoWidth = qMax(btCaderno->sizeHint().width(), 130);
    btCaderno->setGeometry(363 - 8 - cadernoWidth, Label4->y() - 3, cadernoWidth, 24);
    connect(btCaderno, &QPushButton::clicked, this, &TformResultado::notebookRequested);

    btFechar = Named(new QPushButton(QStringLiteral("Fechar"), this), "btFechar");
    btFechar->setAutoDefault(false);
    btFechar->setToolTip(QStringLiteral("Fecha o resultado e o simulado (Esc)"));
    connect(btFechar, &QPushButton::clicked, this, [this] { close(); });

    // The window grows at the bottom; everything above stays in place.
    pRodape = new ResultsFooter(this);
    connect(pRodape, &ResultsFooter::reviewRequested, this, &TformResultado::reviewRequested);
    arrangeFooter();
}

void TformResultado::arrangeFooter()
{
    // The window fits its screen: lines beyond that scroll inside the footer.
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    const int screenHeight = shown ? shown->availableGeometry().height() : 768;
    constexpr int frame = 40; // title bar and borders
    pRodape->setMaxLinesHeight(screenHeight - frame - 446 - ResultsFooter::ButtonRowHeight);
    pRodape->setGeometry(0, 446, 363, pRodape->neededHeight());
    setFixedSize(363, 446 + pRodape->height());
    // "Histórico" at the right end of the footer's button row.
    const int width = qMax(100, btHistorico->sizeHint().width());
    const int rowTop = 446 + pRodape->height() - ResultsFooter::ButtonRowHeight;
    btHistorico->setGeometry(363 - width - 8, rowTop + 8, width, ResultsFooter::ButtonRowHeight - 16);
    btHistorico->raise();
    // "Fechar" in the middle of the row, between "Revisar" and "Histórico".
    const int reviewRight = pRodape->reviewButton()->geometry().right();
    const int closeWidth = qMax(90, btFechar->sizeHint().width());
    const int gapMiddle = (reviewRight + btHistorico->x()) / 2;
    btFechar->setGeometry(gapMiddle - closeWidth / 2, rowTop + 8, closeWidth, ResultsFooter::ButtonRowHeight - 16);
    btFechar->raise();
}

QString TformResultado::BlankLine(const ExamScore& score)
{
    int blank = 0;
    for (const auto status : score.statuses)
        blank += status == mockexam::QuestionStatus::Blank ? 1 : 0;
    if (blank == 0)
        return {};
    return blank == 1 ? QStringLiteral("Em branco: 1 questão (listada entre as erradas)")
                      : QStringLiteral("Em branco: %1 questões (listadas entre as erradas)").arg(blank);
}

void TformResultado::FormCreate()
{
    setWindowTitle(m_ctx.title);
}

void TformResultado::AddBoardLines(const mockexam::BoardScore& board, const std::string& point, QStringList& lines,
                                   QStringList& alerts)
{
    while (alerts.size() < lines.size())
        alerts << QString();
    for (const auto& line : board.lines(point)) {
        lines << QString::fromStdString(line.text);
        alerts << QString::fromStdString(line.alert);
    }
}

void TformResultado::ShowScore(const ExamScore& score, bool timeRanOut, const mockexam::BoardScore* board,
                               const QStringList& more)
{
    const std::string point = QLocale().decimalPoint().toStdString();
    auto set = [](QLabel* label, const std::string& text) {
        label->setText(QString::fromStdString(text));
        label->adjustSize();
    };
    set(lAcerto, score.hitsText());
    set(lTTotal, score.timeText());
    set(lPorc, score.percentageText(point));
    set(lMedia, score.rateText(point));
    lQC->setText(QString());
    lQE->setText(QString());
    lQC->setText(QString::fromStdString(score.rightText()));
    lQE->setText(QString::fromStdString(score.wrongText()));

    QStringList lines;
    // The net score decides a cancelling paper: it leads the footer.
    if (score.rule == mockexam::ScoringRule::Cancelling)
        lines << QStringLiteral("Nota líquida (certas - erradas): %1").arg(QString::fromStdString(score.netText()));
    if (timeRanOut)
        lines << QStringLiteral("Tempo esgotado: a prova terminou no fim do tempo.");
    for (const auto& subject : score.subjects)
        lines << QString::fromStdString(subject.text(point));
    QStringList alerts;
    if (board)
        AddBoardLines(*board, point, lines, alerts);
    if (const QString blank = BlankLine(score); !blank.isEmpty())
        lines << blank;
    lines << more;
    pRodape->setLines(lines, alerts);
    arrangeFooter();
}

void TformResultado::FormClose()
{
    emit closing();
}

void TformResultado::btHistoricoClick()
{
    emit historyRequested();
}

void TformResultado::done(int result)
{
    // The close box, Fechar, Escape and close() end here.
    QDialog::done(result);
    FormClose();
}

} // namespace zelvora::gui

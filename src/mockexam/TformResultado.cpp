#include "mockexam/TformResultado.h"

#include "app/GuardedSlot.h"
#include "app/ImageView.h"
#include "app/Look.h"
#include "mockexam/ExamScore.h"
#include "mockexam/MockExamResources.h"
#include "mockexam/ResultsFooter.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPushButton>

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

    // The window grows at the bottom; everything above stays in place.
    pRodape = new ResultsFooter(this);
    connect(pRodape, &ResultsFooter::reviewRequested, this, &TformResultado::reviewRequested);
    arrangeFooter();
}

void TformResultado::arrangeFooter()
{
    pRodape->setGeometry(0, 446, 363, pRodape->neededHeight());
    setFixedSize(363, 446 + pRodape->height());
    // "Histórico" at the right end of the footer's button row.
    const int width = qMax(100, btHistorico->sizeHint().width());
    const int rowTop = 446 + pRodape->height() - ResultsFooter::ButtonRowHeight;
    btHistorico->setGeometry(363 - width - 8, rowTop + 8, width, ResultsFooter::ButtonRowHeight - 16);
    btHistorico->raise();
}

void TformResultado::FormCreate()
{
    setWindowTitle(m_ctx.title);
}

void TformResultado::ShowScore(const ExamScore& score, bool timeRanOut, const QStringList& more)
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
    if (timeRanOut)
        lines << QStringLiteral("Tempo esgotado: a prova terminou no fim do tempo.");
    if (score.rule == mockexam::ScoringRule::Cancelling)
        lines << QStringLiteral("Nota líquida (certas - erradas): %1").arg(QString::fromStdString(score.netText()));
    for (const auto& subject : score.subjects)
        lines << QString::fromStdString(subject.text(point));
    lines << more;
    pRodape->setLines(lines);
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

void TformResultado::keyPressEvent(QKeyEvent* e)
{
    // Escape would close the exam window with the results; only the close
    // box does that.
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TformResultado::done(int result)
{
    // The close box and close() end here.
    QDialog::done(result);
    FormClose();
}

} // namespace zelvora::gui

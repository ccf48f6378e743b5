#include "mockexam/TformResultado.h"

#include "app/ImageView.h"
#include "mockexam/ExamScore.h"
#include "mockexam/MockExamResources.h"
#include "mockexam/TformSimul.h"

#include <QLabel>
#include <QLocale>

using namespace zelvora::app;
using namespace zelvora::mockexam;

namespace {

QFont Arial(int pixelSize, bool bold = false, bool italic = false)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QLabel* Place(QWidget* parent, const QString& text, int left, int top, const QFont& font,
              bool white = true)
{
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    if (white) {
        QPalette pal = l->palette();
        pal.setColor(QPalette::WindowText, Qt::white);
        l->setPalette(pal);
    }
    l->move(left, top);
    l->adjustSize();
    return l;
}

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

TformResultado::TformResultado(AppContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , m_ctx(ctx)
{
    setFixedSize(363, 446);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    imResultado = new ImageView(this);
    imResultado->setGeometry(0, 0, 363, 446);
    imResultado->setPicture(ResultsPicture());

    lResultado = Place(this, QStringLiteral("Resultado"), 8, 8, Arial(19, true));
    Label1 = Place(this, QStringLiteral("Acertos:"), 8, 40, Arial(16));
    lAcerto = Place(this, QString(), 71, 40, Arial(16));
    Label2 = Place(this, QStringLiteral("Porcentagem de acerto:"), 8, 68, Arial(16));
    lPorc = Place(this, QString(), 180, 68, Arial(16));
    Label8 = Rule(this, 5, 89, 354);
    Label9 = Place(this, QStringLiteral("Tempo total:"), 9, 109, Arial(16));
    lTTotal = Place(this, QString(), 100, 109, Arial(16));
    Label3 = Place(this, QStringLiteral("Questões por segundo:"), 8, 134, Arial(16));
    lMedia = Place(this, QString(), 173, 134, Arial(16));
    Label7 = Rule(this, 5, 153, 354);
    Label4 = Place(this, QStringLiteral("Questões certas:"), 8, 172, Arial(16));
    lQC = Place(this, QString(), 8, 194, Arial(15, false, true));
    lQC->setGeometry(8, 194, 205, 121);
    Label5 = Place(this, QStringLiteral("Questões erradas:"), 8, 327, Arial(16));
    lQE = Place(this, QString(), 8, 351, Arial(15, false, true));
    lQE->setGeometry(8, 351, 345, 87);
    for (QLabel* list : {lQC, lQE}) {
        list->setWordWrap(true);
        list->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
}

void TformResultado::FormCreate()
{
    setWindowTitle(m_ctx.title);
}

void TformResultado::ShowScore(const ExamScore& score)
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
}

void TformResultado::FormClose()
{
    if (auto* exam = m_ctx.windows.simul)
        exam->close();
}

void TformResultado::done(int result)
{
    // The close box, Escape and close() all end here.
    QDialog::done(result);
    FormClose();
}

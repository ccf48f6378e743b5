#include "PaperWriter.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QHashSeed>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include <limits>

namespace zelvora::sampledata {

namespace {

constexpr int Dpi = 300;
constexpr double PageWidth = 595.28; // A4 in points
constexpr double PageHeight = 841.89;
constexpr double Margin = 56;
constexpr double ContentTop = 84;
constexpr double ContentBottom = PageHeight - 62;
constexpr double OptionIndent = 24;

const QColor DarkBlue(50, 63, 108);
const QColor Amber(242, 163, 58);
const QColor SoftBlue(201, 211, 240);
const QColor Ink(33, 37, 48);
const QColor Grey(110, 116, 130);
const QColor RuleGrey(200, 205, 215);

double pt(double points)
{
    return points * Dpi / 72.0;
}

QRectF ptRect(double x, double y, double w, double h)
{
    return QRectF(pt(x), pt(y), pt(w), pt(h));
}

QFont font(double pointSize, bool bold = false)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPointSizeF(pointSize);
    f.setBold(bold);
    f.setStyleHint(QFont::SansSerif);
    // Layout in design metrics: no hinting, so line breaks do not depend on
    // the resolution and the font engine skips the hinting interpreter.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

QString qs(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

// Height in points of wrapped text at the given width.
double textHeight(QPainter& painter, const QFont& f, double width, const QString& text)
{
    painter.setFont(f);
    const QRectF box = painter.boundingRect(QRectF(0, 0, pt(width), std::numeric_limits<int>::max() / 4),
                                            Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text);
    return box.height() * 72.0 / Dpi;
}

double drawText(QPainter& painter, const QFont& f, const QColor& colour, double x, double y, double width,
                const QString& text, int align = Qt::AlignLeft)
{
    const double h = textHeight(painter, f, width, text);
    painter.setFont(f);
    painter.setPen(colour);
    painter.drawText(ptRect(x, y, width, h + 2), Qt::TextWordWrap | align | Qt::AlignTop, text);
    return h;
}

struct Block {
    bool subjectHeader = false;
    int question = -1; // index into the questions
    QString subject;
    double height = 0;
};

class Layout {
public:
    Layout(QPainter& painter, const PaperInfo& info, const std::vector<Question>& questions,
           std::vector<mockexam::QuestionPlace>* places)
        : m_painter(painter)
        , m_info(info)
        , m_questions(questions)
        , m_places(places)
    {
    }

    void run(QPdfWriter& writer)
    {
        const std::vector<std::vector<Block>> pages = paginate();
        const int total = static_cast<int>(pages.size()) + 1;
        drawCover(writer, total);
        for (std::size_t i = 0; i < pages.size(); ++i) {
            writer.newPage();
            drawPage(pages[i], static_cast<int>(i) + 2, total);
        }
    }

private:
    static constexpr double Width = PageWidth - 2 * Margin;

    QString questionTitle(int index) const { return QStringLiteral("Questão %1").arg(index + 1); }

    // Where a right/wrong item is marked on the answer sheet.
    static inline const QString Judgement = QStringLiteral("(   ) Certo        (   ) Errado");

    double questionHeight(int index)
    {
        const Question& q = m_questions[index];
        double h = textHeight(m_painter, font(11, true), Width, questionTitle(index)) + 4;
        h += textHeight(m_painter, font(11), Width, qs(q.stem)) + 6;
        if (q.statement)
            return h + textHeight(m_painter, font(11, true), Width, Judgement) + 4 + 14;
        for (const std::string& option : q.options)
            h += textHeight(m_painter, font(11), Width - OptionIndent, qs(option)) + 4;
        return h + 14;
    }

    std::vector<std::vector<Block>> paginate()
    {
        std::vector<Block> blocks;
        QString subject;
        for (int i = 0; i < static_cast<int>(m_questions.size()); ++i) {
            const QString s = qs(m_questions[i].subject);
            if (s != subject) {
                subject = s;
                blocks.push_back({true, -1, s, 30});
            }
            blocks.push_back({false, i, s, questionHeight(i)});
        }
        std::vector<std::vector<Block>> pages(1);
        double y = ContentTop;
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            double need = blocks[i].height;
            // A subject heading never ends a page: it travels with its first question.
            if (blocks[i].subjectHeader && i + 1 < blocks.size())
                need += blocks[i + 1].height;
            if (y + need > ContentBottom && !pages.back().empty()) {
                pages.emplace_back();
                y = ContentTop;
            }
            pages.back().push_back(blocks[i]);
            y += blocks[i].height;
        }
        return pages;
    }

    void drawFooter(int page, int total)
    {
        m_painter.setPen(QPen(RuleGrey, pt(0.6)));
        m_painter.drawLine(QPointF(pt(Margin), pt(PageHeight - 48)),
                           QPointF(pt(PageWidth - Margin), pt(PageHeight - 48)));
        drawText(m_painter, font(8.5), Grey, Margin, PageHeight - 42, Width,
                 QStringLiteral("Prova de exemplo do Zelvora: organização, cargo e questões são fictícios."));
        drawText(m_painter, font(8.5, true), Grey, Margin, PageHeight - 42, Width,
                 QStringLiteral("Página %1 de %2").arg(page).arg(total), Qt::AlignRight);
    }

    void drawCover(QPdfWriter& writer, int total)
    {
        const int count = static_cast<int>(m_questions.size());
        m_painter.fillRect(ptRect(0, 0, PageWidth, 250), DarkBlue);
        m_painter.fillRect(ptRect(0, 250, PageWidth, 5), Amber);

        double y = 56;
        y += drawText(m_painter, font(13, true), Qt::white, Margin, y, Width, qs(m_info.organisation).toUpper());
        y += 2;
        y += drawText(m_painter, font(12), SoftBlue, Margin, y, Width,
                      QStringLiteral("Concurso Público  •  %1").arg(qs(m_info.year)));
        y += 18;
        y += drawText(m_painter, font(26, true), Qt::white, Margin, y, Width, qs(m_info.examType));

        // "Caderno de prova" label on the band's lower edge.
        const QString label = QStringLiteral("CADERNO DE PROVA");
        const QFont labelFont = font(10, true);
        const QRectF pill = ptRect(Margin, 206, 0, 22)
                                .adjusted(0, 0, QFontMetricsF(labelFont, &writer).horizontalAdvance(label) + pt(28), 0);
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(Amber);
        m_painter.drawRoundedRect(pill, pt(11), pt(11));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.setFont(labelFont);
        m_painter.setPen(DarkBlue);
        m_painter.drawText(pill, Qt::AlignCenter, label);

        y = 290;
        y += drawText(m_painter, font(15, true), DarkBlue, Margin, y, Width, QStringLiteral("Instruções")) + 10;
        const QString multipleChoice[] = {
            QStringLiteral("Este caderno contém %1 questões de múltipla escolha, numeradas de 1 a %1, "
                           "cada uma com cinco alternativas (A a E).")
                .arg(count),
            QStringLiteral("Cada questão tem uma única alternativa correta."),
        };
        const QString rightWrong[] = {
            QStringLiteral("Este caderno contém %1 itens, numerados de 1 a %1, para julgar como CERTO (C) "
                           "ou ERRADO (E).")
                .arg(count),
            m_info.cancelling ? QStringLiteral("Cada item errado anula um item certo; item em branco não conta.")
                              : QStringLiteral("Cada item certo vale um ponto."),
        };
        const QString* const kind = m_info.rightWrong ? rightWrong : multipleChoice;
        const QString instructions[] = {
            kind[0],
            kind[1],
            QStringLiteral("No Zelvora, escolha a questão e marque a alternativa na coluna de respostas, "
                           "à direita da prova; clique em Finalizar para ver o resultado."),
            QStringLiteral("A duração da prova é de %1, incluído o tempo de marcação das respostas.")
                .arg(qs(m_info.duration)),
            QStringLiteral("Não é permitido consultar livros, anotações ou equipamentos eletrônicos."),
        };
        int n = 1;
        for (const QString& line : instructions) {
            drawText(m_painter, font(11, true), Amber.darker(130), Margin, y, 20, QString::number(n++) + ".");
            y += drawText(m_painter, font(11), Ink, Margin + 20, y, Width - 20, line) + 8;
        }

        // Contents: which questions belong to which subject.
        y += 14;
        y += drawText(m_painter, font(15, true), DarkBlue, Margin, y, Width, QStringLiteral("Conteúdo")) + 8;
        int first = 0;
        int row = 0;
        for (int i = 1; i <= count; ++i) {
            if (i < count && m_questions[i].subject == m_questions[first].subject)
                continue;
            if (row++ % 2 == 0)
                m_painter.fillRect(ptRect(Margin, y - 3, Width, 21), QColor(240, 243, 250));
            drawText(m_painter, font(11), Ink, Margin + 10, y, Width - 20, qs(m_questions[first].subject));
            drawText(m_painter, font(11), Grey, Margin + 10, y, Width - 20,
                     first + 1 == i ? QStringLiteral("questão %1").arg(i)
                                    : QStringLiteral("questões %1 a %2").arg(first + 1).arg(i),
                     Qt::AlignRight);
            y += 21;
            first = i;
        }

        // Candidate fields.
        y = std::max(y + 26, PageHeight - 170);
        m_painter.setBrush(Qt::NoBrush);
        m_painter.setPen(QPen(RuleGrey, pt(0.8)));
        m_painter.drawRoundedRect(ptRect(Margin, y, Width, 86), pt(6), pt(6));
        drawText(m_painter, font(9, true), Grey, Margin + 14, y + 12, 200, QStringLiteral("NOME DO CANDIDATO"));
        drawText(m_painter, font(9, true), Grey, Margin + 14, y + 50, 200, QStringLiteral("NÚMERO DE INSCRIÇÃO"));
        drawText(m_painter, font(9, true), Grey, Margin + Width / 2 + 14, y + 50, 200, QStringLiteral("ASSINATURA"));
        m_painter.setPen(QPen(RuleGrey, pt(0.6)));
        m_painter.drawLine(QPointF(pt(Margin + 14), pt(y + 40)), QPointF(pt(Margin + Width - 14), pt(y + 40)));
        m_painter.drawLine(QPointF(pt(Margin + 14), pt(y + 76)), QPointF(pt(Margin + Width / 2 - 14), pt(y + 76)));
        m_painter.drawLine(QPointF(pt(Margin + Width / 2 + 14), pt(y + 76)),
                           QPointF(pt(Margin + Width - 14), pt(y + 76)));
        drawFooter(1, total);
    }

    void drawPage(const std::vector<Block>& blocks, int page, int total)
    {
        drawText(m_painter, font(9, true), DarkBlue, Margin, 36, Width,
                 qs(m_info.organisation) + QStringLiteral("  •  ") + qs(m_info.examType));
        drawText(m_painter, font(9), Grey, Margin, 36, Width, qs(m_info.year), Qt::AlignRight);
        m_painter.fillRect(ptRect(Margin, 52, Width, 1.5), Amber);

        double y = ContentTop;
        for (const Block& block : blocks) {
            if (block.subjectHeader) {
                m_painter.fillRect(ptRect(Margin, y, Width, 20), DarkBlue);
                drawText(m_painter, font(10, true), Qt::white, Margin + 8, y + 4, Width - 16, block.subject.toUpper());
                y += block.height;
                continue;
            }
            const Question& q = m_questions[block.question];
            double yy = y;
            if (m_places) {
                // The top of the title's glyphs: the line's top plus the
                // room the font leaves above its tallest letter.
                const QFont title = font(11, true);
                const QFontMetricsF metrics(title, m_painter.device());
                const double above = (metrics.ascent() + metrics.tightBoundingRect(questionTitle(block.question)).top())
                    * 72.0 / Dpi;
                m_places->push_back({block.question + 1, page - 1, y + above});
            }
            yy += drawText(m_painter, font(11, true), DarkBlue, Margin, yy, Width, questionTitle(block.question)) + 4;
            yy += drawText(m_painter, font(11), Ink, Margin, yy, Width, qs(q.stem)) + 6;
            if (q.statement) {
                drawText(m_painter, font(11, true), Ink, Margin + 6, yy, Width - 6, Judgement);
                y += block.height;
                continue;
            }
            for (int i = 0; i < 5; ++i) {
                drawText(m_painter, font(11, true), Ink, Margin + 6, yy, OptionIndent, QString(QChar(u'A' + i)) + ")");
                yy += drawText(m_painter, font(11), Ink, Margin + OptionIndent, yy, Width - OptionIndent,
                               qs(q.options[i]))
                    + 4;
            }
            y += block.height;
        }
        drawFooter(page, total);
    }

    QPainter& m_painter;
    const PaperInfo& m_info;
    const std::vector<Question>& m_questions;
    std::vector<mockexam::QuestionPlace>* m_places;
};

} // namespace

QByteArray PaperWriter::Write(const PaperInfo& info, const std::vector<Question>& questions,
                              std::vector<mockexam::QuestionPlace>* places)
{
    if (places)
        places->clear();
    // The PDF engine writes its fonts in the order of a QHash, which follows
    // the process's random hash seed; a fixed seed fixes the order.
    QHashSeed::setDeterministicGlobalSeed();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Zelvora"));
        writer.setTitle(qs(info.examType) + QStringLiteral(" - ") + qs(info.organisation) + QStringLiteral(" - ")
                        + qs(info.year));
        writer.setResolution(Dpi);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter(&writer);
        painter.setRenderHint(QPainter::Antialiasing);
        Layout(painter, info, questions, places).run(writer);
    }
    QByteArray pdf = buffer.data();
    FixTimeStamps(pdf);
    return pdf;
}

void PaperWriter::FixTimeStamps(QByteArray& pdf)
{
    static const QRegularExpression stamp(
        QStringLiteral("/(CreationDate|ModDate) \\(D:(\\d{14})([+-]\\d\\d'\\d\\d')?"));
    const QString text = QString::fromLatin1(pdf);
    auto it = stamp.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        pdf.replace(match.capturedStart(2), 14, "20100101120000");
        if (match.capturedLength(3) == 7) // a local time offset: make it UTC
            pdf.replace(match.capturedStart(3), 7, "+00'00'");
    }
}

} // namespace zelvora::sampledata

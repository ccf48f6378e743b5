#include "mockexam/AnswerKeyPdf.h"

#include "mockexam/AnswerKeyText.h"
#include "mockexam/PaperDocument.h"

#include <QPdfDocument>
#include <QPdfSelection>
#include <QRegularExpression>

#include <algorithm>

namespace zelvora::mockexam {

namespace {

struct Glyph {
    QString text;
    QRectF box;
    bool blankBefore = false;
    int order = 0;
};

bool IsBlank(QChar c)
{
    return c.isSpace() || c == QChar(0xFFFE) || c == QChar(0xFFFF) || c.unicode() == 0;
}

std::vector<std::string> TextLines(const QString& text)
{
    std::vector<std::string> lines;
    for (const QString& l : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n"))))
        lines.push_back(l.toStdString());
    return lines;
}

} // namespace

std::vector<std::string> AnswerKeyPdf::LinesOf(const QString& text, const QList<QPolygonF>& boxes)
{
    // Qt PDF gives one box per character that has one: blanks usually have
    // none, but a blank drawn as a glyph does. Either reading must account
    // for every box, or the boxes cannot be told apart and the text's own
    // lines are taken.
    std::vector<Glyph> glyphs;
    for (const bool boxedBlanks : {false, true}) {
        glyphs.clear();
        // Only a blank character counts as a word break: the line breaks the
        // engine puts between characters drawn one by one say nothing.
        bool blank = false;
        for (qsizetype i = 0; i < text.size(); ++i) {
            const QChar c = text[i];
            const bool lineBreak = c == QLatin1Char('\r') || c == QLatin1Char('\n');
            if (IsBlank(c) && (!boxedBlanks || lineBreak)) {
                blank = blank || !lineBreak;
                continue;
            }
            QString one(c);
            if (c.isHighSurrogate() && i + 1 < text.size())
                one += text[++i];
            glyphs.push_back({one, {}, blank, int(glyphs.size())});
            blank = false;
        }
        if (glyphs.size() == size_t(boxes.size()))
            break;
    }
    if (glyphs.size() != size_t(boxes.size()))
        return TextLines(text);
    for (size_t i = 0; i < glyphs.size(); ++i)
        glyphs[i].box = boxes[qsizetype(i)].boundingRect();
    // Boxed blanks only separate.
    for (size_t i = 0; i < glyphs.size(); ++i)
        if (IsBlank(glyphs[i].text[0])) {
            if (i + 1 < glyphs.size())
                glyphs[i + 1].blankBefore = true;
            glyphs[i].box = QRectF();
        }

    std::vector<double> heights;
    for (const auto& g : glyphs)
        if (g.box.height() > 0)
            heights.push_back(g.box.height());
    if (heights.empty())
        return TextLines(text);
    std::nth_element(heights.begin(), heights.begin() + heights.size() / 2, heights.end());
    const double usual = heights[heights.size() / 2];
    std::erase_if(glyphs, [&](const Glyph& g) { return g.box.height() <= 0 || g.box.height() > 3.5 * usual; });

    std::stable_sort(glyphs.begin(), glyphs.end(),
                     [](const Glyph& a, const Glyph& b) { return a.box.center().y() < b.box.center().y(); });
    // A glyph joins the row when its middle lies within the row's band
    // (widened a little), or the row's middle within the glyph: so a dot or
    // a hyphen stays on its line, and a line is never merged with the next.
    std::vector<std::vector<const Glyph*>> rows;
    double top = 0, bottom = 0;
    for (const auto& g : glyphs) {
        const double middle = g.box.center().y();
        const double margin = 0.3 * std::max(bottom - top, g.box.height());
        const double rowMiddle = (top + bottom) / 2;
        const bool joins = !rows.empty()
            && ((middle >= top - margin && middle <= bottom + margin)
                || (rowMiddle >= g.box.top() && rowMiddle <= g.box.bottom()));
        if (!joins) {
            rows.emplace_back();
            top = g.box.top();
            bottom = g.box.bottom();
        } else {
            top = std::min(top, g.box.top());
            bottom = std::max(bottom, g.box.bottom());
        }
        rows.back().push_back(&g);
    }
    std::vector<std::string> lines;
    for (auto& row : rows) {
        std::stable_sort(row.begin(), row.end(),
                         [](const Glyph* a, const Glyph* b) { return a->box.left() < b->box.left(); });
        double height = 0;
        for (const Glyph* g : row)
            height = std::max(height, g->box.height());
        QString line;
        for (size_t i = 0; i < row.size(); ++i) {
            if (i > 0) {
                const Glyph* before = row[i - 1];
                const double gap = row[i]->box.left() - before->box.right();
                if (gap > 0.25 * height || (row[i]->blankBefore && row[i]->order > before->order))
                    line += QLatin1Char(' ');
            }
            line += row[i]->text;
        }
        lines.push_back(line.toStdString());
    }
    return lines;
}

std::vector<std::vector<std::string>> AnswerKeyPdf::PageLines(QPdfDocument& document)
{
    std::vector<std::vector<std::string>> pages;
    for (int p = 0; p < document.pageCount(); ++p) {
        const QPdfSelection all = document.getAllText(p);
        pages.push_back(LinesOf(all.text(), all.bounds()));
    }
    return pages;
}

std::string AnswerKeyPdf::AsText(const std::vector<std::vector<std::string>>& pages)
{
    std::string text;
    for (size_t p = 0; p < pages.size(); ++p) {
        if (p > 0)
            text += '\f';
        for (const auto& l : pages[p])
            text += l + '\n';
    }
    return text;
}

ResultOf<KeySheet, KeyReadCode> AnswerKeyPdf::Read(const QString& path)
{
    using Reading = ResultOf<KeySheet, KeyReadCode>;
    auto opened = PaperDocument::Open(path);
    const std::string name = path.toStdString();
    if (!opened.ok()) {
        switch (opened.code()) {
        case PaperDocument::Code::Missing:
            return Reading::Fail(KeyReadCode::Missing, name);
        case PaperDocument::Code::NotAPdf:
            return Reading::Fail(KeyReadCode::NotAPdf, name);
        default:
            return Reading::Fail(KeyReadCode::Unreadable, name);
        }
    }
    const auto& paper = opened.value();
    const auto pages = PageLines(*paper->document());
    const bool text = std::any_of(pages.begin(), pages.end(), [](const auto& lines) {
        return std::any_of(lines.begin(), lines.end(),
                           [](const std::string& l) { return l.find_first_not_of(" \t") != std::string::npos; });
    });
    if (!text)
        return Reading::Fail(KeyReadCode::NoText, name);
    return AnswerKeyText::ReadSheet(AsText(pages));
}

} // namespace zelvora::mockexam

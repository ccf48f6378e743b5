#pragma once
// Reads a board's answer-key PDF: the text of every page comes from Qt PDF
// with the box of each character, the lines are rebuilt from those boxes
// (characters whose middles stand at one height form a line, read left to
// right; a gap wider than a quarter of the line's height is a blank), and
// the lines go through the same reader as a key the user pastes.
// Characters far taller than the page's usual text (a watermark across the
// page) are left out.
#include "mockexam/KeySheet.h"
#include "text/Result.h"

#include <QList>
#include <QPolygonF>
#include <QString>

#include <string>
#include <vector>

class QPdfDocument;

namespace zelvora::mockexam {

class AnswerKeyPdf {
public:
    static zelvora::ResultOf<KeySheet, KeyReadCode> Read(const QString& path);

    // The lines of every page (UTF-8), top to bottom.
    static std::vector<std::vector<std::string>> PageLines(QPdfDocument& document);

    // One page's lines from its text and the boxes of its characters, one
    // box per character that is no blank, in the text's order. When the
    // boxes do not match the text the text's own lines are taken.
    static std::vector<std::string> LinesOf(const QString& text, const QList<QPolygonF>& boxes);

    // The pages joined as pasted text: lines ended by "\n", pages separated
    // by a form feed.
    static std::string AsText(const std::vector<std::vector<std::string>>& pages);
};

} // namespace zelvora::mockexam

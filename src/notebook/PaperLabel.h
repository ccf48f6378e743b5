#pragma once
// The board (organisation) and year of a paper, read from its name as the
// mock-exam list writes it: "Técnico Judiciário - Fundação Ventania - 2010"
// gives the board "Fundação Ventania" and the year "2010". A name of another
// shape gives neither (empty texts), never a wrong guess.
#include <QString>

namespace zelvora::notebook {

struct PaperLabel {
    QString board;
    QString year;

    static PaperLabel Parse(const QString& paperName);
};

} // namespace zelvora::notebook

#pragma once
// Finds the answers in the lines of a board's answer-key sheet, page by page,
// whatever produced the lines (a PDF's text rebuilt by position, or text the
// user copied out of it). The layouts read:
//
//   pairs        "01 - A", "1-A", "12: C", "12 A", "1) a", any number on a
//                line, columns read across or down (each pair carries its
//                question's number)
//   grids        a row of question numbers over a row of answers, with or
//                without the labels "Item"/"Questão" and "Gabarito"/
//                "Resposta"; numbers or letters run together by the text
//                extraction ("1 23456789 1 0", "E CCCEEEEE") and padding
//                zeros are read back by matching the digits against
//                consecutive question numbers
//   tables       a header "Questão Tipo 1 Tipo 2 ...", "Qst T1 T2 ...",
//                "Questão Versão 1 ..." and rows of a number and one answer
//                per column: one section per column
//   posts        title lines ("CARGO 1: AGENTE", "005. PROVA OBJETIVA -
//                AGENTE", "Prova Tipo A", "Versão 2") start a section; a
//                title seen again continues its section (page headers), and
//                numbering that starts again without a title starts an
//                untitled one
//   annulled     "X", "*", "NULA", "ANULADA" in place of the answer; legend
//                lines ("Obs.: ( X ) item anulado.", "* Questão anulada")
//                and any other text (headers, footers, watermarks) are
//                skipped
//
// A section whose answers are all C or E is a right/wrong key when it has at
// least ten of them, an "Item" label or an "X".
#include "mockexam/KeySheet.h"
#include "text/Result.h"

#include <string>
#include <vector>

namespace zelvora::mockexam {

class KeySheetReader {
public:
    // pages: the lines of each page, UTF-8, top to bottom.
    static zelvora::ResultOf<KeySheet, KeyReadCode> Read(const std::vector<std::vector<std::string>>& pages);
};

} // namespace zelvora::mockexam

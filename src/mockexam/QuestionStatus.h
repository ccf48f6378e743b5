#pragma once
// How one question of a finished exam came out.
namespace zelvora::mockexam {

enum class QuestionStatus {
    Right, // the answer given is the key's
    Wrong, // an answer was given and it is not the key's
    Blank, // no answer, and the key's line is not "#"
    Annulled, // annulled by the board: right for everyone
};

// "certa", "errada", "em branco", "anulada"
const char* StatusText(QuestionStatus status);

} // namespace zelvora::mockexam

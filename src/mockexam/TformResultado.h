#pragma once
// The results window of a mock exam: hits, percentage, time, questions per
// second and the numbers of the right and wrong questions, on the window's
// own background picture. Closing it closes the exam window too.
//
// Controls (object names): imResultado, lResultado, Label1, lAcerto, Label2,
// lPorc, Label8, Label9, lTTotal, Label3, lMedia, Label7, Label4, lQC, Label5,
// lQE; below the picture the footer pRodape with the lines the paper's info
// file asks for (time run out, net score, subjects) and the button row:
// btRevisar at its left end, btFechar, btHistorico (the history of
// attempts) at its right end. Fechar, Escape and the close box all close the
// window, and with it the exam window (the attempt is kept in the store).
#include "app/AppContext.h"

#include <QDialog>
#include <QStringList>

#include <string>

class QLabel;
class QPushButton;
namespace zelvora::mockexam {
class BoardScore;
class ExamScore;
} // namespace zelvora::mockexam

namespace zelvora::gui {

class ImageView;
class ResultsFooter;

class TformResultado : public QDialog {
    Q_OBJECT
public:
    explicit TformResultado(app::AppContext& ctx, QWidget* parent = nullptr);

    void FormCreate();
    void FormDestroy() {}

    // Fills the labels from a score; numbers use the decimal separator of
    // the default locale. Below them come the lines the score's paper asks
    // for: that the time ran out, the net score under the cancelling rule,
    // one line per subject; then, for a paper with board rules, its blocks
    // (the ones under their minimum marked "eliminado" in red), the total
    // against the maximum and the cut-off. more: lines added after them (the
    // time per question, the score without the guesses).
    void ShowScore(const mockexam::ExamScore& score, bool timeRanOut = false,
                   const mockexam::BoardScore* board = nullptr, const QStringList& more = {});

    // The footer line that counts the blank questions: the results list
    // them among the wrong ones. Empty when none was left blank.
    static QString BlankLine(const mockexam::ExamScore& score);

public slots:
    void done(int result) override;

signals:
    // "Revisar": the exam window opens its review.
    void reviewRequested();
    // The window closes: the exam window closes with it.
    void closing();
    // "Histórico": the application shows the history window.
    void historyRequested();
    // "Caderno de erros": the application shows the mistakes notebook.
    void notebookRequested();

private:
    void FormClose();
    void arrangeFooter();
    static void AddBoardLines(const mockexam::BoardScore& board, const std::string& point, QStringList& lines,
                              QStringList& alerts);
    void btHistoricoClick();

    ImageView* imResultado = nullptr;
    QLabel* lResultado = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lAcerto = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* lPorc = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* lTTotal = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lMedia = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* lQC = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* lQE = nullptr;
    ResultsFooter* pRodape = nullptr;
    QPushButton* btHistorico = nullptr;
    QPushButton* btFechar = nullptr;
    QPushButton* btCaderno = nullptr;

    app::AppContext& m_ctx;
};

} // namespace zelvora::gui

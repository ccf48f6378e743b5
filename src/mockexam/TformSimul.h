#pragma once
// The mock-exam window: pick a paper, read it as a PDF, mark one option per
// question while the clock counts seconds, finish and see the score.
//
// Borderless and full screen. The top strip holds the paper selector and the
// start button; the answer column on the right appears once a paper runs.
// Keys while a paper runs: A-E or 1-5 mark an option as a click would (C and
// E, or 1 and 2, on a right/wrong paper), R marks the question "Revisar
// depois", G marks it "Chute" (a guess), N opens its note, Ctrl+Right /
// Ctrl+Left go to the next / previous question,
// Ctrl+plus, Ctrl+minus and Ctrl+wheel zoom the paper, Ctrl+0 fits it to the
// width again. A right click on an option strikes it out (a study aid only).
//
// What the paper's info file says (PaperInfoReader.h) shapes the exam: the
// time limit in the duration box above the start button (the clock then
// counts down, with notices at 30 and 5 minutes left and another colour in
// the last five, and finishes the exam at zero; a limit that cannot be read
// is refused at start, and the box is locked while the exam runs), right/wrong items (options C and E), annulled questions, the
// scoring rule and the subjects of the results. A paper without one runs as
// a plain mock exam. After finishing, the review shows any question with the
// answer given and the key's, answers read-only.
//
// Controls (object names): pTop, imLogo, Label1, Label2, btInicio, comboProva,
// lDuracao, edDuracao, lDica (the strip's hint); pPDF, imSimul, PDF, lAviso;
// pResp, pRespClient, imRight, lQuestao, cbQuestao, rgResposta (its five
// options A to E are its radio buttons, in that order; a right/wrong paper
// shows the first two as "Certo" and "Errado"), btProxima, btAnterior, btFim,
// btSair, gCartao (the answer card), ckRevisar, lGabarito, lTempo; the review
// window TformRevisao, beside the answer column while it is open;
// btHistorico (opens the history of attempts), in the strip's upper band;
// ckChute beside ckRevisar. Choosing a question scrolls the paper to where it
// starts when the paper's map knows (QuestionAids, PaperNavigator).
//
// Every attempt is kept in the attempt store as it goes (AttemptSession):
// starting a paper with an interrupted attempt offers to continue it; leaving
// a running paper (another paper, Sair, the "X", closing the window) and
// finishing with blank questions ask first.
#include "app/AppContext.h"
#include "app/LoadSkinImage.h"
#include "mockexam/ExamClock.h"
#include "mockexam/ExamRun.h"
#include "mockexam/MockExamEntry.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QShortcut;

namespace zelvora::gui {

class AnswerColumn;
class ClickableLabel;
class DurationBox;
class ExamTopStrip;
class ExamNotice;
class ExamShortcuts;
class ImageView;
class QuestionAids;
class QuestionBox;
class ReviewPlacement;
class StripHint;
class TformResultado;
class TformRevisao;
class TFocusImage;
class TPdfViewer;

class TformSimul : public QWidget {
    Q_OBJECT
public:
    // clock: the one-second clock; the program passes none and gets a QTimer.
    explicit TformSimul(app::AppContext& ctx, QWidget* parent = nullptr,
                        std::unique_ptr<mockexam::ExamClock> clock = nullptr);
    ~TformSimul() override;

    void FormCreate();
    void FormDestroy();

    // Handlers, named after their control and event.
    void FormShow();
    void FormResize();
    void comboProvaChange();
    void btInicioClick();
    void cbQuestaoChange();
    void btProximaClick() { m_run.next(); }
    void btAnteriorClick() { m_run.previous(); }
    void rgRespostaClick(int option);
    void Timer1Timer();
    void btFimClick();
    void btSairClick() { close(); }
    void Label2Click() { close(); }
    void btHistoricoClick() { emit historyRequested(); }
    void btInicioMouseDown();
    void btInicioMouseUp();
    void MouseDown(TFocusImage* sender);
    void MouseUp(TFocusImage* sender);

    // Exam state, read by the results and by tests; the run holds it all.
    const mockexam::ExamRun& run() const { return m_run; }
    const std::vector<mockexam::MockExamEntry>& entries() const;
    const std::vector<std::string>& answerKey() const { return m_run.key(); }
    const mockexam::ExamAnswers& answers() const { return m_run.answers(); }
    long long elapsedSeconds() const { return m_run.elapsedSeconds(); }
    mockexam::ExamClock& clock() const { return *m_clock; }
    // The option shown in rgResposta: 0 = A ... 4 = E, -1 = none.
    int shownOption() const;
    // What the running paper's info file says (defaults without one).
    const mockexam::PaperInfo& paperInfo() const { return m_run.info(); }
    const mockexam::ExamCountdown& countdown() const { return m_run.countdown(); }
    // The exam finished because its time ran out.
    bool timeRanOut() const { return m_run.timeRanOut(); }

    // The review of the finished exam (the results window's "Revisar").
    void showReview();
    // Shows question (0-based) with the answer given and the key's answer;
    // answers cannot be changed until the review closes.
    void showReviewQuestion(int question);
    bool reviewing() const { return m_run.reviewing(); }

    // The results window this exam shows its score in; its "Revisar" opens
    // the review and closing it closes the exam.
    void setResultsWindow(TformResultado* results);

    // What another part attaches to (the user's own papers): the top strip,
    // the paper selector, the entry behind its selection, and reading the
    // lists again, picking chosen as the user would.
    QWidget* topStrip() const;
    QComboBox* paperSelector() const { return comboProva; }
    std::optional<mockexam::MockExamEntry> selectedEntry() const;
    void reloadList(const std::optional<mockexam::MockExamEntry>& chosen);

signals:
    // "Histórico": the application shows the history window.
    void historyRequested();

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void startPaper();
    std::string folderOf(const mockexam::MockExamEntry& entry) const;
    void buildTop();
    void buildAnswerColumn();
    void buildShortcuts();
    void escapePressed();
    void arrangePanels();
    void markOption(int option);
    void showMessage(const QString& text);
    void processEvents();
    void hideWait();
    void toggleReviewMark();
    void toggleGuess();
    void writeNote();
    void leaveReview() { m_run.leaveReview(); }
    // Shows what the run is in: the answer column and the question.
    void showRun();
    void showClock();
    void showResults();
    void cardChosen(int question);

    // The strip and the three of its controls the exam works with.
    ExamTopStrip* pTop = nullptr;
    TFocusImage* btInicio = nullptr;
    QComboBox* comboProva = nullptr;
    DurationBox* edDuracao = nullptr;
    ExamNotice* lAviso = nullptr;
    QFrame* pPDF = nullptr;
    ImageView* imSimul = nullptr;
    TPdfViewer* PDF = nullptr;
    QScrollArea* pResp = nullptr;
    AnswerColumn* m_column = nullptr;
    QuestionBox* cbQuestao = nullptr;
    TformRevisao* m_reviewWindow = nullptr;
    QuestionAids* m_aids = nullptr;
    ReviewPlacement* m_reviewPlacement = nullptr;

    app::AppContext& m_ctx;
    std::unique_ptr<mockexam::ExamClock> m_clock;
    TformResultado* m_results = nullptr;
    bool m_starting = false;
    mockexam::ExamRun m_run;
    ExamShortcuts* m_keys = nullptr;
};

} // namespace zelvora::gui

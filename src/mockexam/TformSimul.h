#pragma once
// The mock-exam window: pick a paper, read it as a PDF, mark one option per
// question while the clock counts seconds, finish and see the score.
//
// Borderless and full screen. The top strip holds the paper selector and the
// start button; the answer column on the right appears once a paper runs.
// Keys while a paper runs: A-E or 1-5 mark an option as a click would,
// Ctrl+Right / Ctrl+Left go to the next / previous question, Ctrl+plus,
// Ctrl+minus and Ctrl+wheel zoom the paper, Ctrl+0 fits it to the width again.
//
// Controls (object names): pTop, imLogo, Label1, Label2, btInicio, comboProva;
// pPDF, imSimul, PDF; pResp, pRespClient, imRight, lQuestao, cbQuestao,
// rgResposta (its five options A to E are its radio buttons, in that order),
// btProxima, btAnterior, btFim, btSair, lTempo; btHistorico (opens the
// history of attempts).
//
// Every attempt is kept in the attempt store as it goes (AttemptSession):
// starting a paper with an interrupted attempt offers to continue it; leaving
// a running paper (another paper, Sair, the "X", closing the window) and
// finishing with blank questions ask first.
#include "app/AppContext.h"
#include "app/LoadSkinImage.h"
#include "attempts/AttemptSession.h"
#include "mockexam/ExamAnswers.h"
#include "mockexam/ExamClock.h"
#include "mockexam/MockExamEntry.h"

#include <QWidget>

#include <memory>
#include <string>
#include <vector>

class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QShortcut;

namespace zelvora::gui {

class ClickableLabel;
class ImageView;
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
    void btProximaClick();
    void btAnteriorClick();
    void rgRespostaClick(int option);
    void Timer1Timer();
    void btFimClick();
    void btSairClick();
    void Label2Click();
    void btHistoricoClick();
    void btInicioMouseDown();
    void btInicioMouseUp();
    void MouseDown(TFocusImage* sender);
    void MouseUp(TFocusImage* sender);

    // Exam state, read by the results and by tests.
    const std::vector<mockexam::MockExamEntry>& entries() const { return m_entries; }
    const std::vector<std::string>& answerKey() const { return m_key; }
    const mockexam::ExamAnswers& answers() const { return m_answers; }
    long long elapsedSeconds() const { return m_elapsed; }
    mockexam::ExamClock& clock() const { return *m_clock; }
    // The option shown in rgResposta: 0 = A ... 4 = E, -1 = none.
    int shownOption() const;

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void startPaper();
    void buildTop();
    void buildAnswerColumn();
    void buildShortcuts();
    void arrangePanels();
    void showStoredOption();
    void setShownOption(int option);
    void selectCurrentItem();
    void markOption(int option);
    void fillComboProva();
    void showMessage(const QString& text);
    void processEvents();
    void hideWait();
    bool running() const;
    // A paper runs and has not been finished: leaving it asks first.
    bool paperInProgress() const;
    void restoreAttempt(const attempts::AttemptSession::Start& start);

    QFrame* pTop = nullptr;
    ImageView* imLogo = nullptr;
    QLabel* Label1 = nullptr;
    ClickableLabel* Label2 = nullptr;
    TFocusImage* btInicio = nullptr;
    QComboBox* comboProva = nullptr;
    QFrame* pPDF = nullptr;
    ImageView* imSimul = nullptr;
    TPdfViewer* PDF = nullptr;
    QScrollArea* pResp = nullptr;
    QWidget* pRespClient = nullptr;
    ImageView* imRight = nullptr;
    QLabel* lQuestao = nullptr;
    QComboBox* cbQuestao = nullptr;
    QGroupBox* rgResposta = nullptr;
    QButtonGroup* rgRespostaGroup = nullptr;
    QRadioButton* rgRespostaItems[5] = {};
    TFocusImage* btProxima = nullptr;
    TFocusImage* btAnterior = nullptr;
    TFocusImage* btFim = nullptr;
    TFocusImage* btSair = nullptr;
    QLabel* lTempo = nullptr;
    QPushButton* btHistorico = nullptr;

    app::AppContext& m_ctx;
    std::unique_ptr<mockexam::ExamClock> m_clock;
    app::SkinPair m_skinTop;
    app::SkinPair m_skinRight;
    std::vector<mockexam::MockExamEntry> m_entries;
    std::vector<std::string> m_key;
    mockexam::ExamAnswers m_answers;
    long long m_elapsed = 0;
    bool m_starting = false;
    bool m_finished = false;
    attempts::AttemptSession m_session;
    std::vector<QShortcut*> m_examShortcuts;
};

} // namespace zelvora::gui

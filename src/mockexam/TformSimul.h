#pragma once
// The mock-exam window: pick a paper, read it as a PDF, mark one option per
// question while the clock counts seconds, finish and see the score.
//
// Borderless and full screen. The top strip holds the paper selector and the
// start button; the answer column on the right appears once a paper runs.
// Keys while a paper runs: A-E or 1-5 mark an option as a click would,
// Ctrl+Right / Ctrl+Left go to the next / previous question, Ctrl+plus,
// Ctrl+minus and Ctrl+wheel zoom the paper, Ctrl+0 fits it to the width again.
#include "app/AppContext.h"
#include "app/LoadSkinImage.h"
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
class QRadioButton;
class QScrollArea;
class QShortcut;
class TPdfViewer;

namespace zelvora::app {
class ImageView;
class TFocusImage;
}

class TformSimul : public QWidget {
    Q_OBJECT
public:
    // clock: the one-second clock; the program passes none and gets a QTimer.
    explicit TformSimul(zelvora::app::AppContext& ctx, QWidget* parent = nullptr,
                        std::unique_ptr<zelvora::mockexam::ExamClock> clock = nullptr);
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
    void btInicioMouseDown();
    void btInicioMouseUp();
    void MouseDown(zelvora::app::TFocusImage* sender);
    void MouseUp(zelvora::app::TFocusImage* sender);

    // Exam state, read by the results and by tests.
    const std::vector<zelvora::mockexam::MockExamEntry>& entries() const { return m_entries; }
    const std::vector<std::string>& answerKey() const { return m_key; }
    const zelvora::mockexam::ExamAnswers& answers() const { return m_answers; }
    long long elapsedSeconds() const { return m_elapsed; }
    zelvora::mockexam::ExamClock& clock() const { return *m_clock; }
    // The option shown in rgResposta: 0 = A ... 4 = E, -1 = none.
    int shownOption() const;

    // Controls.
    QFrame* pTop = nullptr;
    zelvora::app::ImageView* imLogo = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    zelvora::app::TFocusImage* btInicio = nullptr;
    QComboBox* comboProva = nullptr;
    QFrame* pPDF = nullptr;
    zelvora::app::ImageView* imSimul = nullptr;
    TPdfViewer* PDF = nullptr;
    QScrollArea* pResp = nullptr;
    QWidget* pRespClient = nullptr;
    zelvora::app::ImageView* imRight = nullptr;
    QLabel* lQuestao = nullptr;
    QComboBox* cbQuestao = nullptr;
    QGroupBox* rgResposta = nullptr;
    QButtonGroup* rgRespostaGroup = nullptr;
    QRadioButton* rgRespostaItems[5] = {};
    zelvora::app::TFocusImage* btProxima = nullptr;
    zelvora::app::TFocusImage* btAnterior = nullptr;
    zelvora::app::TFocusImage* btFim = nullptr;
    zelvora::app::TFocusImage* btSair = nullptr;
    QLabel* lTempo = nullptr;

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

    zelvora::app::AppContext& m_ctx;
    std::unique_ptr<zelvora::mockexam::ExamClock> m_clock;
    zelvora::app::SkinPair m_skinTop;
    zelvora::app::SkinPair m_skinRight;
    std::vector<zelvora::mockexam::MockExamEntry> m_entries;
    std::vector<std::string> m_key;
    zelvora::mockexam::ExamAnswers m_answers;
    long long m_elapsed = 0;
    bool m_starting = false;
    std::vector<QShortcut*> m_examShortcuts;
};

#pragma once
// The exam window's answer column (pResp) on the right: the question list,
// the answer box with its five options, Próxima, Anterior, Finalizar, Sair,
// the answer card (a cell per question, a click goes to it), the review
// mark, the review's verdict naming both answers, and the clock. It
// shows the question the exam run is on and reports the user's acts as
// signals; it keeps no state of the attempt.
#include "app/LoadSkinImage.h"

#include <QScrollArea>

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;

namespace zelvora::mockexam {
class ExamRun;
} // namespace zelvora::mockexam

namespace zelvora::gui {

class AnswerCard;
class ImageView;
class QuestionBox;
class TFocusImage;

class AnswerColumn : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int Width = 198;

    explicit AnswerColumn(QWidget* parent);

    // Shows the run's current question: the option given, the review mark,
    // struck-out options, and in the review the key's and the given option
    // in colour with the line that names both.
    void showQuestion(const mockexam::ExamRun& run);
    // Fills the question list and the option letters for a started paper.
    void showPaper(const mockexam::ExamRun& run);
    // Writes the question's text in the list again (answered or marked).
    void showItem(const mockexam::ExamRun& run, int question);
    // The option shown in rgResposta: 0 = A ... 4 = E, -1 = none.
    int shownOption() const;
    void setShownOption(int option);
    // Answers cannot be clicked (review, time up).
    void lockAnswers(bool locked);
    // Puts the clock at the column's foot, the review aids above it and the
    // answer card between them and the buttons.
    void placeClock();
    // The clock's colour: another one in the exam's last minutes.
    void setClockEnding(bool ending);
    // The column's skin picture (imRight) from the data folder, a button of
    // it drawn pressed or not, and letting the picture go.
    void loadSkin(const QString& dataFolder);
    void showPressed(const TFocusImage* button, bool pressed);
    void clearSkin();

    QWidget* pRespClient = nullptr;
    ImageView* imRight = nullptr;
    QLabel* lQuestao = nullptr;
    QuestionBox* cbQuestao = nullptr;
    QGroupBox* rgResposta = nullptr;
    QButtonGroup* rgRespostaGroup = nullptr;
    QRadioButton* rgRespostaItems[5] = {};
    TFocusImage* btProxima = nullptr;
    TFocusImage* btAnterior = nullptr;
    TFocusImage* btFim = nullptr;
    TFocusImage* btSair = nullptr;
    QCheckBox* ckRevisar = nullptr;
    QLabel* lGabarito = nullptr;
    QLabel* lTempo = nullptr;
    AnswerCard* gCartao = nullptr;

signals:
    // A cell of the answer card was clicked or chosen by keyboard.
    void questionChosen(int question);
    void optionClicked(int option);
    void optionStruck(int option);
    void reviewMarkClicked(bool on);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCell(const mockexam::ExamRun& run, int question);
    void placeAids();

    app::SkinPair m_skin;
};

} // namespace zelvora::gui

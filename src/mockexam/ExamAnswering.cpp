#include "mockexam/ExamAnswering.h"

#include "app/GuardedSlot.h"
#include "mockexam/AnswerColumn.h"
#include "mockexam/ExamRun.h"
#include "mockexam/QuestionAids.h"

#include <QLabel>
#include <QRadioButton>

namespace zelvora::gui {

ExamAnswering::ExamAnswering(app::AppContext& ctx, mockexam::ExamRun& run, AnswerColumn* column, QuestionAids* aids,
                             QObject* parent)
    : QObject(parent)
    , m_run(run)
    , m_column(column)
    , m_aids(aids)
{
    connect(column, &AnswerColumn::optionStruck, this, Guarded(ctx, [this](int i) { m_run.toggleStruck(i); }));
    connect(column, &AnswerColumn::reviewMarkClicked, this, Guarded(ctx, [this](bool on) {
                if (on != m_run.answers().markedForReview(m_run.answers().current()))
                    toggleReviewMark();
            }));
    connect(aids, &QuestionAids::guessToggled, this, Guarded(ctx, [this](bool on) {
                if (on != m_run.answers().guessed(m_run.answers().current()))
                    toggleGuess();
            }));
}

bool ExamAnswering::answer(int option)
{
    const int q = m_run.answers().current();
    const bool taken = m_run.answer(option);
    m_column->showItem(m_run, q);
    return taken;
}

void ExamAnswering::markOption(int option)
{
    if (!m_run.active() || m_run.answersLocked() || option < 0 || option >= m_run.answers().optionCount())
        return;
    // Exactly what a click on the option does.
    m_column->rgRespostaItems[option]->click();
}

void ExamAnswering::toggleReviewMark()
{
    if (m_run.toggleReviewMark())
        m_column->showItem(m_run, m_run.answers().current());
}

void ExamAnswering::toggleGuess()
{
    if (m_run.toggleGuess())
        m_column->showItem(m_run, m_run.answers().current());
}

void ExamAnswering::writeNote()
{
    if (m_run.active())
        m_aids->editNote(m_run.answers().current());
}

void ExamAnswering::showPaper(const QString& pdfPath)
{
    m_aids->paperStarted(pdfPath, int(m_run.key().size()), m_run.answers().current(), m_run.session().attemptId());
    m_column->showPaper(m_run);
    for (int q = 0; q < int(m_run.key().size()); ++q) {
        if (m_run.answers().guessed(q))
            m_column->showItem(m_run, q);
    }
}

void ExamAnswering::showQuestion()
{
    m_column->showQuestion(m_run);
    m_aids->placeGuessBox();
    m_aids->questionShown(m_run.answers().current(), m_run.answers().guessed(m_run.answers().current()));
}

void ExamAnswering::showClock()
{
    const auto& countdown = m_run.countdown();
    m_column->setClockEnding(countdown.limited() && countdown.remaining() <= mockexam::ExamCountdown::LastNotice);
    if (countdown.limited())
        m_column->lTempo->setText(QString::fromStdString(countdown.text()));
    else
        m_column->lTempo->setText(QStringLiteral("Duração: %1 s").arg(m_run.elapsedSeconds()));
}

} // namespace zelvora::gui

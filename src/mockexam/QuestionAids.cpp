#include "mockexam/QuestionAids.h"

#include "app/AppContext.h"
#include "attempts/AttemptStore.h"
#include "attempts/QuestionStore.h"
#include "mockexam/AnswerColumn.h"
#include "mockexam/ExamRun.h"
#include "mockexam/GuessScore.h"
#include "mockexam/PaperNavigator.h"
#include "mockexam/QuestionMapper.h"
#include "mockexam/TPdfViewer.h"
#include "text/DataFile.h"

#include <QCheckBox>
#include <QFile>
#include <QInputDialog>

namespace zelvora::gui {

namespace {

constexpr int NoteLength = 500;

} // namespace

QuestionAids::QuestionAids(app::AppContext& ctx, TPdfViewer* viewer, AnswerColumn* column, QWidget* window)
    : QObject(window)
    , m_ctx(ctx)
    , m_window(window)
    , m_column(column)
    , m_navigator(new PaperNavigator(viewer, this))
{
    QCheckBox* review = column->ckRevisar;
    review->resize(124, review->height());
    m_guessBox = new QCheckBox(QStringLiteral("Chute"), column->pRespClient);
    m_guessBox->setFont(review->font());
    m_guessBox->setPalette(review->palette());
    m_guessBox->resize(AnswerColumn::Width - 8 - review->width() - 2, review->height());
    m_guessBox->setObjectName(QStringLiteral("ckChute"));
    m_guessBox->setToolTip(QStringLiteral("Marca a resposta como chute (tecla G); N escreve uma nota"));
    m_guessBox->setFocusPolicy(Qt::NoFocus);
    connect(m_guessBox, &QCheckBox::clicked, this, &QuestionAids::guessToggled);
    m_navigator->loader().setStore(ctx.attempts);
    connect(&m_navigator->loader(), &mockexam::PaperMapLoader::mapReady, this, [this] {
        if (m_hash.isEmpty())
            m_hash = m_navigator->loader().paperHash();
        // Only links the attempt to its paper's notes in the history; a
        // failing store is said by the exam's own writes.
        if (m_attempt > 0 && m_ctx.attempts && !m_hash.isEmpty())
            attempts::QuestionStore(*m_ctx.attempts).setAttemptPaper(m_attempt, m_hash);
    });
}

void QuestionAids::placeGuessBox()
{
    const QCheckBox* review = m_column->ckRevisar;
    m_guessBox->move(review->x() + review->width() + 2, review->y());
    m_guessBox->setVisible(!review->isHidden());
}

void QuestionAids::paperStarted(const QString& pdfPath, int questionCount, int current, qint64 attemptId)
{
    m_pdfPath = pdfPath;
    m_hash.clear();
    m_attempt = attemptId;
    m_navigator->loader().setStore(m_ctx.attempts);
    m_navigator->paperStarted(pdfPath, questionCount, current);
}

void QuestionAids::paperClosed()
{
    m_navigator->paperClosed();
    m_attempt = 0;
}

void QuestionAids::questionShown(int question, bool guessed)
{
    const QSignalBlocker block(m_guessBox);
    m_guessBox->setChecked(guessed);
    m_navigator->questionChosen(question);
}

QString QuestionAids::paperHash()
{
    if (m_hash.isEmpty())
        m_hash = m_navigator->loader().paperHash();
    if (m_hash.isEmpty() && !m_pdfPath.isEmpty()) {
        // The map's worker has not said yet: the hash is taken here.
        if (const auto bytes = text::DataFile::Read(QFile::encodeName(m_pdfPath).toStdString(),
                                                    text::DataFile::PaperCap))
            m_hash = mockexam::QuestionMapper::ContentHash(QByteArray::fromStdString(*bytes));
    }
    return m_hash;
}

void QuestionAids::editNote(int question)
{
    if (question < 0 || m_pdfPath.isEmpty())
        return;
    const QString hash = paperHash();
    QString current;
    if (m_ctx.attempts && m_ctx.attempts->isOpen() && !hash.isEmpty()) {
        const auto kept = attempts::QuestionStore(*m_ctx.attempts).notes(hash);
        if (auto it = kept.find(question + 1); it != kept.end())
            current = it->second;
    }
    auto* dialog = new QInputDialog(m_window);
    dialog->setObjectName(QStringLiteral("dlgNota"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Anotação"));
    dialog->setLabelText(QStringLiteral("Nota da questão %1:").arg(question + 1));
    dialog->setTextValue(current);
    dialog->setOkButtonText(QStringLiteral("Guardar"));
    dialog->setCancelButtonText(QStringLiteral("Cancelar"));
    connect(dialog, &QInputDialog::textValueSelected, this, [this, hash, question](const QString& text) {
        // A failure is not said here: this helper has no message of its own,
        // and a failing store is said by the exam's own writes.
        if (m_ctx.attempts && m_ctx.attempts->isOpen() && !hash.isEmpty())
            attempts::QuestionStore(*m_ctx.attempts).saveNote(hash, question + 1, text.left(NoteLength));
        emit noteSaved(question);
    });
    dialog->open();
}

std::vector<std::pair<int, std::string>> QuestionAids::notes()
{
    std::vector<std::pair<int, std::string>> out;
    const QString hash = paperHash();
    if (!m_ctx.attempts || !m_ctx.attempts->isOpen() || hash.isEmpty())
        return out;
    for (const auto& [number, note] : attempts::QuestionStore(*m_ctx.attempts).notes(hash))
        out.emplace_back(number, note.toStdString());
    return out;
}

void QuestionAids::addTo(mockexam::ExamReview& review, const mockexam::ExamRun& run)
{
    // Times only once a second was counted: an exam finished at once has none to show.
    const bool timed = run.times().total() > 0;
    review.addQuestionAids(run.answers().guesses(), timed ? run.times().seconds() : std::vector<long long>{}, notes());
}

QStringList QuestionAids::ResultLines(const mockexam::ExamRun& run)
{
    QStringList lines;
    for (const std::string& line : run.times().resultLines())
        lines << QString::fromStdString(line);
    const auto& guesses = run.answers().guesses();
    const int count = mockexam::GuessScore::Count(guesses);
    // A paper with board rules says it among its board lines.
    if (count > 0 && !run.info().hasBoardRules()) {
        const auto without = mockexam::GuessScore::WithoutGuesses(run.key(), run.answers().answers(), guesses,
                                                                  run.elapsedSeconds(), run.info());
        lines << QString::fromStdString(mockexam::GuessScore::Text(without, count));
    }
    return lines;
}

} // namespace zelvora::gui

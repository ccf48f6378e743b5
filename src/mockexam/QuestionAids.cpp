#include "mockexam/QuestionAids.h"

#include "app/AppContext.h"
#include "attempts/AttemptStore.h"
#include "attempts/QuestionStore.h"
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

// Times are written every so many seconds while the paper runs, and always
// when it is finished or left.
constexpr int SaveEverySeconds = 10;
constexpr int NoteLength = 500;

} // namespace

QuestionAids::QuestionAids(app::AppContext& ctx, TPdfViewer* viewer, QWidget* column, QWidget* window)
    : QObject(window)
    , m_ctx(ctx)
    , m_window(window)
    , m_navigator(new PaperNavigator(viewer, this))
{
    m_guessBox = new QCheckBox(QStringLiteral("Chute"), column);
    m_guessBox->setObjectName(QStringLiteral("ckChute"));
    m_guessBox->setToolTip(QStringLiteral("Marca a resposta como chute (tecla G); N escreve uma nota"));
    m_guessBox->setFocusPolicy(Qt::NoFocus);
    connect(m_guessBox, &QCheckBox::clicked, this, &QuestionAids::guessToggled);
    m_navigator->loader().setStore(ctx.attempts);
    connect(&m_navigator->loader(), &mockexam::PaperMapLoader::mapReady, this, [this] {
        if (m_hash.isEmpty())
            m_hash = m_navigator->loader().paperHash();
        if (m_attempt > 0 && m_ctx.attempts && !m_hash.isEmpty())
            attempts::QuestionStore(*m_ctx.attempts).setAttemptPaper(m_attempt, m_hash);
    });
}

std::vector<bool> QuestionAids::paperStarted(const QString& pdfPath, int questionCount, int current, qint64 attemptId,
                                             bool resumed)
{
    m_pdfPath = pdfPath;
    m_hash.clear();
    m_attempt = attemptId;
    m_unsavedSeconds = 0;
    m_times.start(std::size_t(std::max(0, questionCount)));
    m_navigator->loader().setStore(m_ctx.attempts);
    m_navigator->paperStarted(pdfPath, questionCount, current);
    std::vector<bool> guesses(std::size_t(std::max(0, questionCount)), false);
    if (m_ctx.attempts && m_ctx.attempts->isOpen() && attemptId > 0) {
        attempts::QuestionStore store(*m_ctx.attempts);
        if (resumed) {
            const auto seconds = store.seconds(attemptId, questionCount);
            m_times.restore(std::vector<long long>(seconds.begin(), seconds.end()));
            guesses = store.guesses(attemptId, questionCount);
        }
    }
    return guesses;
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

void QuestionAids::tick(int question)
{
    m_times.tick(question);
    if (++m_unsavedSeconds >= SaveEverySeconds)
        saveTimes();
}

void QuestionAids::saveTimes()
{
    m_unsavedSeconds = 0;
    if (m_attempt > 0 && m_ctx.attempts && m_ctx.attempts->isOpen()) {
        const auto& s = m_times.seconds();
        attempts::QuestionStore(*m_ctx.attempts).saveSeconds(m_attempt, std::vector<qint64>(s.begin(), s.end()));
    }
}

void QuestionAids::guessChanged(int question, bool guessed)
{
    {
        const QSignalBlocker block(m_guessBox);
        m_guessBox->setChecked(guessed);
    }
    if (m_attempt > 0 && m_ctx.attempts && m_ctx.attempts->isOpen())
        attempts::QuestionStore(*m_ctx.attempts).setGuess(m_attempt, question, guessed);
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

void QuestionAids::addTo(mockexam::ExamReview& review, const std::vector<bool>& guesses)
{
    review.addQuestionAids(guesses, m_times.seconds(), notes());
}

QStringList QuestionAids::resultLines(const std::vector<std::string>& key, const std::vector<std::string>& answers,
                                      const std::vector<bool>& guesses, long long seconds,
                                      const mockexam::PaperInfo& info) const
{
    QStringList lines;
    for (const std::string& line : m_times.resultLines())
        lines << QString::fromStdString(line);
    const int count = mockexam::GuessScore::Count(guesses);
    if (count > 0) {
        const auto without = mockexam::GuessScore::WithoutGuesses(key, answers, guesses, seconds, info);
        lines << QString::fromStdString(mockexam::GuessScore::Text(without, count));
    }
    return lines;
}

} // namespace zelvora::gui

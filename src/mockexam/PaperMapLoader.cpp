#include "mockexam/PaperMapLoader.h"

#include "attempts/AttemptStore.h"
#include "attempts/QuestionStore.h"
#include "mockexam/QuestionMapper.h"
#include "text/DataFile.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QtConcurrent/QtConcurrentRun>
#include <QTimer>

namespace zelvora::mockexam {

PaperMapLoader::PaperMapLoader(QObject* parent)
    : QObject(parent)
    , m_hashing(new QFutureWatcher<Mapped>(this))
    , m_searching(new QFutureWatcher<Mapped>(this))
{
    connect(m_hashing, &QFutureWatcher<Mapped>::finished, this, [this] { hashed(m_hashing->result()); });
    connect(m_searching, &QFutureWatcher<Mapped>::finished, this, [this] { searched(m_searching->result()); });
}

PaperMapLoader::~PaperMapLoader()
{
    // The workers hold no pointer to this object; they only have to end
    // before the program does.
    m_hashing->waitForFinished();
    m_searching->waitForFinished();
}

void PaperMapLoader::clear()
{
    ++m_generation;
    m_path.clear();
    m_hash.clear();
    m_map = QuestionMap();
    m_ready = false;
}

void PaperMapLoader::load(const QString& pdfPath, int expected)
{
    clear();
    m_path = pdfPath;
    m_expected = expected;
    const int generation = m_generation;
    m_hashing->setFuture(QtConcurrent::run([pdfPath, generation] {
        Mapped out;
        out.generation = generation;
        const auto bytes = text::DataFile::Read(QFile::encodeName(pdfPath).toStdString(), text::DataFile::PaperCap);
        if (bytes)
            out.hash = QuestionMapper::ContentHash(QByteArray::fromRawData(bytes->data(), qsizetype(bytes->size())));
        return out;
    }));
}

void PaperMapLoader::hashed(const Mapped& result)
{
    if (result.generation != m_generation || result.hash.isEmpty())
        return;
    m_hash = result.hash;
    if (m_store && m_store->isOpen()) {
        attempts::QuestionStore questions(*m_store);
        if (auto stored = questions.loadMap(m_hash); stored && questions.isMapped(m_hash)) {
            m_map = std::move(*stored);
            m_ready = true;
            emit mapReady();
            return;
        }
    }
    const QString path = m_path;
    const int expected = m_expected;
    const int generation = m_generation;
    const QString hash = m_hash;
    m_searching->setFuture(QtConcurrent::run([path, expected, generation, hash] {
        Mapped out;
        out.generation = generation;
        const auto mapped = QuestionMapper::Map(path, expected);
        // A file that no longer opens, or changed between the two reads,
        // belongs to no map.
        if (mapped && mapped->contentHash == hash) {
            out.hash = hash;
            out.found = mapped->places;
        }
        return out;
    }));
}

void PaperMapLoader::searched(const Mapped& result)
{
    if (result.generation != m_generation || result.hash.isEmpty())
        return;
    // Places the user set while the search ran count too.
    std::vector<QuestionPlace> corrected = m_map.corrected();
    if (m_store && m_store->isOpen()) {
        attempts::QuestionStore questions(*m_store);
        // A map that could not be kept is used all the same and only found
        // again next time; the exam's own writes say when the store fails.
        questions.saveFound(result.hash, result.found);
        if (auto stored = questions.loadMap(result.hash)) {
            std::vector<QuestionPlace> kept = stored->corrected();
            kept.insert(kept.end(), corrected.begin(), corrected.end());
            corrected = std::move(kept);
        }
    }
    m_map = QuestionMap(result.found, std::move(corrected));
    m_ready = true;
    emit mapReady();
}

void PaperMapLoader::correct(const QuestionPlace& place)
{
    m_map.correct(place);
    // Used at once whether kept or not; the loader has no one to tell, and a
    // failing store is said by the exam's own writes.
    if (m_store && m_store->isOpen() && !m_hash.isEmpty())
        attempts::QuestionStore(*m_store).saveCorrection(m_hash, place);
}

bool PaperMapLoader::waitUntilReady(int msecs)
{
    QElapsedTimer timer;
    timer.start();
    while (!m_ready && timer.elapsed() < msecs) {
        QEventLoop loop;
        QTimer::singleShot(10, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return m_ready;
}

} // namespace zelvora::mockexam

#include "notebook/Notebook.h"

#include "attempts/AttemptStore.h"
#include "attempts/QuestionStore.h"
#include "mockexam/AnswerKey.h"
#include "mockexam/PaperInfoReader.h"
#include "mockexam/PaperPath.h"
#include "notebook/PaperLabel.h"
#include "notebook/Sm2Schedule.h"
#include "text/DataFile.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>
#include <set>

namespace zelvora::notebook {

namespace {

const QString ItemColumns = QStringLiteral(
    "id, pdf_path, data_folder, key_hash, question, paper_name, board, year, subject, key_line, right_wrong,"
    " status, missed, last_seen, note, ease, interval_days, repetitions, lapses, due_day, mastered, leech, active,"
    // The paper's question count: every attempt under the same key has the
    // key's, so the first the paper index finds will do.
    " (SELECT question_count FROM attempt WHERE attempt.pdf_path = notebook_item.pdf_path"
    " AND attempt.data_folder = notebook_item.data_folder AND attempt.key_hash = notebook_item.key_hash"
    " LIMIT 1)");

NotebookItem ReadItem(const QSqlQuery& q)
{
    NotebookItem it;
    it.id = q.value(0).toLongLong();
    it.paper = {q.value(1).toString(), q.value(2).toString(), q.value(3).toString()};
    it.question = q.value(4).toInt();
    it.paperName = q.value(5).toString();
    it.board = q.value(6).toString();
    it.year = q.value(7).toString();
    it.subject = q.value(8).toString();
    it.keyLine = q.value(9).toString().toStdString();
    it.rightWrong = q.value(10).toInt() != 0;
    it.status = Outcome(std::clamp(q.value(11).toInt(), 0, 3));
    it.missed = q.value(12).toInt();
    it.lastSeen = QDateTime::fromMSecsSinceEpoch(q.value(13).toLongLong(), Qt::UTC);
    it.note = q.value(14).toString();
    it.schedule.ease = q.value(15).toDouble();
    it.schedule.intervalDays = q.value(16).toInt();
    it.schedule.repetitions = q.value(17).toInt();
    it.schedule.lapses = q.value(18).toInt();
    it.schedule.dueDay = q.value(19).toLongLong();
    it.schedule.mastered = q.value(20).toInt() != 0;
    it.schedule.leech = q.value(21).toInt() != 0;
    it.active = q.value(22).toInt() != 0;
    it.questionCount = q.value(23).toInt();
    return it;
}

ReviewState ScheduleOf(const QSqlQuery& q, int first)
{
    ReviewState s;
    s.ease = q.value(first).toDouble();
    s.intervalDays = q.value(first + 1).toInt();
    s.repetitions = q.value(first + 2).toInt();
    s.lapses = q.value(first + 3).toInt();
    s.dueDay = q.value(first + 4).toLongLong();
    s.mastered = q.value(first + 5).toInt() != 0;
    s.leech = q.value(first + 6).toInt() != 0;
    return s;
}

// A text column is NOT NULL: an empty QString must bind as "", not NULL.
QString Text(const QString& s)
{
    return s.isNull() ? QStringLiteral("") : s;
}

void BindSchedule(QSqlQuery& q, const ReviewState& s)
{
    q.addBindValue(s.ease);
    q.addBindValue(s.intervalDays);
    q.addBindValue(s.repetitions);
    q.addBindValue(s.lapses);
    q.addBindValue(qint64(s.dueDay));
    q.addBindValue(s.mastered ? 1 : 0);
    q.addBindValue(s.leech ? 1 : 0);
}

} // namespace

Notebook::Notebook(attempts::AttemptStore& store, Clock now) : m_store(store), m_now(std::move(now))
{
}

QDateTime Notebook::now() const
{
    return m_now ? m_now() : QDateTime::currentDateTimeUtc();
}

int64_t Notebook::DayOf(const QDateTime& t)
{
    return t.toLocalTime().date().toJulianDay();
}

int64_t Notebook::today() const
{
    return DayOf(now());
}

bool Notebook::ready() const
{
    return m_store.isOpen();
}

QSqlDatabase Notebook::db() const
{
    return QSqlDatabase::database(m_store.connectionName(), false);
}

Notebook::Status Notebook::failed(const QString& message) const
{
    return Status::Fail(NotebookCode::StoreFailed, message.toStdString());
}

const Notebook::PaperFiles& Notebook::filesOf(const attempts::PaperIdentity& paper,
                                              std::map<QString, PaperFiles>& cache)
{
    const QString cacheKey = paper.pdfPath + QLatin1Char('\n') + paper.keyHash;
    if (auto it = cache.find(cacheKey); it != cache.end())
        return it->second;
    PaperFiles& files = cache[cacheKey];
    const std::string pdf = QFile::encodeName(paper.pdfPath).toStdString();
    const std::string keyPath = mockexam::PaperPath::KeyPathFor(pdf);
    const auto bytes = text::DataFile::Read(keyPath, text::DataFile::KeyCap);
    // Only the key the attempt was taken with can judge its answers.
    if (!bytes || attempts::PaperIdentity::HashKey(QByteArray::fromStdString(*bytes)) != paper.keyHash)
        return files;
    const auto key = mockexam::AnswerKey::Load(keyPath);
    if (!key)
        return files;
    files.usable = true;
    files.key = *key;
    files.subjectOf.assign(key->size(), QString());
    if (const auto info = mockexam::PaperInfoReader::Load(mockexam::PaperPath::InfoPathFor(pdf))) {
        files.annulled = info->info.annulled;
        files.rightWrong = info->info.itemType == mockexam::ItemType::RightWrong;
        for (const auto& s : info->info.subjects) {
            const QString name = QString::fromStdString(s.name);
            files.subjects.push_back(name);
            for (size_t q = 0; q < key->size(); ++q)
                if (files.subjectOf[q].isEmpty() && s.contains(int(q) + 1))
                    files.subjectOf[q] = name;
        }
    }
    return files;
}

// What one catch-up keeps between attempts: the statements, prepared once,
// and the notebook's rows of each paper met so far.
struct Notebook::Fold {
    explicit Fold(const QSqlDatabase& d) : answers(d), known(d), insert(d), miss(d), right(d), subject(d), noted(d) {}
    bool prepare()
    {
        return answers.prepare(QStringLiteral("SELECT question, answer FROM answer WHERE attempt_id = ?"))
            && known.prepare(QStringLiteral("SELECT question, id, last_seen, ease, interval_days, repetitions, lapses,"
                                            " due_day, mastered, leech FROM notebook_item WHERE pdf_path = ?"
                                            " AND data_folder = ? AND key_hash = ?"))
            && insert.prepare(QStringLiteral(
                "INSERT INTO notebook_item (pdf_path, data_folder, key_hash, question, paper_name, board, year,"
                " subject, key_line, right_wrong, status, missed, last_seen, last_attempt, ease, interval_days,"
                " repetitions, lapses, due_day, mastered, leech, active)"
                " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1)"))
            && miss.prepare(QStringLiteral("UPDATE notebook_item SET status = ?, missed = missed + 1, last_seen = ?,"
                                           " last_attempt = ?, paper_name = ?, board = ?, year = ?, subject = ?,"
                                           " active = 1, ease = ?, interval_days = ?, repetitions = ?, lapses = ?,"
                                           " due_day = ?, mastered = ?, leech = ? WHERE id = ?"))
            && right.prepare(QStringLiteral("UPDATE notebook_item SET status = 0, active = 0, last_seen = ?,"
                                            " last_attempt = ? WHERE id = ?"))
            && subject.prepare(
                QStringLiteral("INSERT OR REPLACE INTO attempt_subject (attempt_id, subject, hits, total)"
                               " VALUES (?, ?, ?, ?)"))
            && noted.prepare(QStringLiteral("UPDATE attempt SET noted = 1 WHERE id = ?"));
    }
    struct Known {
        qint64 id = 0;
        qint64 lastSeen = 0;
        ReviewState schedule;
    };
    QSqlQuery answers, known, insert, miss, right, subject, noted;
    std::map<QString, std::map<int, Known>> papers;
};

ResultOf<int, NotebookCode> Notebook::catchUp()
{
    using Out = ResultOf<int, NotebookCode>;
    if (!ready())
        return Out::Fail(NotebookCode::StoreUnavailable, m_store.status().detail());
    struct Pending {
        qint64 id;
        attempts::PaperIdentity paper;
        QString name;
        QDateTime ended;
    };
    std::vector<Pending> pending;
    {
        QSqlQuery q(db());
        q.setForwardOnly(true);
        if (!q.exec(QStringLiteral("SELECT id, pdf_path, data_folder, key_hash, paper_name, ended_at FROM attempt"
                                   " WHERE noted = 0 AND finished = 1 AND kind = 0 ORDER BY ended_at, id")))
            return Out::Fail(NotebookCode::StoreFailed, q.lastError().text().toStdString());
        while (q.next())
            pending.push_back({q.value(0).toLongLong(),
                               {q.value(1).toString(), q.value(2).toString(), q.value(3).toString()},
                               q.value(4).toString(),
                               QDateTime::fromMSecsSinceEpoch(q.value(5).toLongLong(), Qt::UTC)});
    }
    if (pending.empty())
        return 0;
    QSqlDatabase d = db();
    Fold fold(d);
    if (!fold.prepare())
        return Out::Fail(NotebookCode::StoreFailed, d.lastError().text().toStdString());
    std::map<QString, PaperFiles> cache;
    // Attempts are folded in batches, each one transaction: what a batch
    // changes and the marks of its attempts are written together.
    constexpr size_t Batch = 256;
    size_t done = 0;
    while (done < pending.size()) {
        if (!d.transaction())
            return Out::Fail(NotebookCode::StoreFailed, d.lastError().text().toStdString());
        const size_t end = std::min(pending.size(), done + Batch);
        for (size_t i = done; i < end; ++i) {
            const Pending& p = pending[i];
            if (const Status s = foldIn(fold, p.id, p.paper, p.name, p.ended, filesOf(p.paper, cache)); !s) {
                d.rollback();
                return Out::Fail(s.code(), s.detail());
            }
        }
        if (!d.commit()) {
            const std::string message = d.lastError().text().toStdString();
            d.rollback();
            return Out::Fail(NotebookCode::StoreFailed, message);
        }
        done = end;
    }
    return int(done);
}

Notebook::Status Notebook::foldIn(Fold& fold, qint64 attemptId, const attempts::PaperIdentity& paper,
                                  const QString& paperName, const QDateTime& endedAt, const PaperFiles& files)
{
    auto sqlFailure = [&](const QSqlQuery& q) { return failed(q.lastError().text()); };
    // A paper whose key is gone or changed cannot say what was missed: the
    // attempt is only marked as seen.
    if (files.usable) {
        const QString paperKey = paper.pdfPath + QLatin1Char('\n') + paper.dataFolder + QLatin1Char('\n')
            + paper.keyHash;
        auto found = fold.papers.find(paperKey);
        if (found == fold.papers.end()) {
            auto& known = fold.papers[paperKey];
            fold.known.addBindValue(paper.pdfPath);
            fold.known.addBindValue(paper.dataFolder);
            fold.known.addBindValue(paper.keyHash);
            if (!fold.known.exec())
                return sqlFailure(fold.known);
            while (fold.known.next())
                known[fold.known.value(0).toInt()] = {fold.known.value(1).toLongLong(),
                                                      fold.known.value(2).toLongLong(), ScheduleOf(fold.known, 3)};
            fold.known.finish();
            found = fold.papers.find(paperKey);
        }
        std::map<int, Fold::Known>& known = found->second;

        std::vector<std::string> answers(files.key.size(), "#");
        fold.answers.addBindValue(attemptId);
        if (!fold.answers.exec())
            return sqlFailure(fold.answers);
        while (fold.answers.next()) {
            const int question = fold.answers.value(0).toInt();
            if (question >= 0 && size_t(question) < answers.size())
                answers[size_t(question)] = fold.answers.value(1).toString().toStdString();
        }
        fold.answers.finish();
        // The guess marks the exam window kept with the attempt.
        std::set<int> guesses;
        const std::vector<bool> marked = attempts::QuestionStore(m_store).guesses(attemptId, int(answers.size()));
        for (size_t q = 0; q < marked.size(); ++q)
            if (marked[q])
                guesses.insert(int(q));
        const PaperLabel label = PaperLabel::Parse(paperName);
        const qint64 seen = endedAt.toMSecsSinceEpoch();
        const int64_t day = DayOf(endedAt);
        // Hits and questions per subject ("" for questions of no subject).
        std::map<QString, std::pair<int, int>> bySubject;

        for (size_t i = 0; i < files.key.size(); ++i) {
            const int question = int(i);
            const bool annulled = std::binary_search(files.annulled.begin(), files.annulled.end(), question + 1);
            const Outcome outcome = OutcomeRules::Judge(files.key[i], answers[i], guesses.count(question) > 0,
                                                        annulled);
            auto& subject = bySubject[files.subjectOf[i]];
            subject.second += 1;
            subject.first += outcome == Outcome::Right || outcome == Outcome::Guess ? 1 : 0;

            const auto item = known.find(question);
            // An attempt older than what the notebook saw last says nothing new.
            if (item != known.end() && item->second.lastSeen > seen)
                continue;
            if (!OutcomeRules::IsMiss(outcome)) {
                if (item == known.end())
                    continue;
                fold.right.addBindValue(seen);
                fold.right.addBindValue(attemptId);
                fold.right.addBindValue(item->second.id);
                if (!fold.right.exec())
                    return sqlFailure(fold.right);
                item->second.lastSeen = seen;
                continue;
            }
            const ReviewState before = item != known.end() ? item->second.schedule : ReviewState{};
            ReviewState next = Sm2Schedule::Review(before, Sm2Schedule::GradeOf(outcome), day);
            next.mastered = false;
            if (item != known.end()) {
                QSqlQuery& q = fold.miss;
                q.addBindValue(int(outcome));
                q.addBindValue(seen);
                q.addBindValue(attemptId);
                q.addBindValue(Text(paperName));
                q.addBindValue(Text(label.board));
                q.addBindValue(Text(label.year));
                q.addBindValue(Text(files.subjectOf[i]));
                BindSchedule(q, next);
                q.addBindValue(item->second.id);
                if (!q.exec())
                    return sqlFailure(q);
                item->second.lastSeen = seen;
                item->second.schedule = next;
            } else {
                QSqlQuery& q = fold.insert;
                q.addBindValue(paper.pdfPath);
                q.addBindValue(paper.dataFolder);
                q.addBindValue(paper.keyHash);
                q.addBindValue(question);
                q.addBindValue(Text(paperName));
                q.addBindValue(Text(label.board));
                q.addBindValue(Text(label.year));
                q.addBindValue(Text(files.subjectOf[i]));
                q.addBindValue(QString::fromStdString(files.key[i]));
                q.addBindValue(files.rightWrong ? 1 : 0);
                q.addBindValue(int(outcome));
                q.addBindValue(seen);
                q.addBindValue(attemptId);
                BindSchedule(q, next);
                if (!q.exec())
                    return sqlFailure(q);
                known[question] = {q.lastInsertId().toLongLong(), seen, next};
            }
        }
        for (const auto& [subject, counts] : bySubject) {
            fold.subject.addBindValue(attemptId);
            fold.subject.addBindValue(Text(subject));
            fold.subject.addBindValue(counts.first);
            fold.subject.addBindValue(counts.second);
            if (!fold.subject.exec())
                return sqlFailure(fold.subject);
        }
    }
    fold.noted.addBindValue(attemptId);
    if (!fold.noted.exec())
        return sqlFailure(fold.noted);
    return Status::Ok();
}

ResultOf<std::vector<NotebookItem>, NotebookCode> Notebook::items()
{
    if (!ready())
        return ResultOf<std::vector<NotebookItem>, NotebookCode>::Fail(NotebookCode::StoreUnavailable,
                                                                       m_store.status().detail());
    if (const auto caught = catchUp(); !caught)
        return caught.status();
    std::vector<NotebookItem> out;
    QSqlQuery q(db());
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT ") + ItemColumns
                + QStringLiteral(" FROM notebook_item WHERE active = 1 ORDER BY paper_name, pdf_path, question")))
        return ResultOf<std::vector<NotebookItem>, NotebookCode>::Fail(NotebookCode::StoreFailed,
                                                                       q.lastError().text().toStdString());
    while (q.next())
        out.push_back(ReadItem(q));
    return out;
}

ResultOf<NotebookItem, NotebookCode> Notebook::item(qint64 id)
{
    if (!ready())
        return ResultOf<NotebookItem, NotebookCode>::Fail(NotebookCode::StoreUnavailable);
    QSqlQuery q(db());
    q.prepare(QStringLiteral("SELECT ") + ItemColumns + QStringLiteral(" FROM notebook_item WHERE id = ?"));
    q.addBindValue(id);
    if (!q.exec())
        return ResultOf<NotebookItem, NotebookCode>::Fail(NotebookCode::StoreFailed,
                                                          q.lastError().text().toStdString());
    if (!q.next())
        return ResultOf<NotebookItem, NotebookCode>::Fail(NotebookCode::NotFound);
    return ReadItem(q);
}

ResultOf<std::vector<NotebookItem>, NotebookCode> Notebook::dueItems()
{
    auto all = items();
    if (!all)
        return all;
    const int64_t day = today();
    std::vector<NotebookItem> out;
    for (NotebookItem& it : all.value())
        if (it.schedule.dueDay <= day)
            out.push_back(std::move(it));
    return out;
}

ResultOf<int, NotebookCode> Notebook::dueToday()
{
    if (!ready())
        return ResultOf<int, NotebookCode>::Fail(NotebookCode::StoreUnavailable);
    if (const auto caught = catchUp(); !caught)
        return caught.status();
    QSqlQuery q(db());
    q.prepare(QStringLiteral("SELECT COUNT(*) FROM notebook_item WHERE active = 1 AND due_day <= ?"));
    q.addBindValue(qint64(today()));
    if (!q.exec() || !q.next())
        return ResultOf<int, NotebookCode>::Fail(NotebookCode::StoreFailed, q.lastError().text().toStdString());
    return q.value(0).toInt();
}

Notebook::Status Notebook::setNote(qint64 id, const QString& note)
{
    if (!ready())
        return Status::Fail(NotebookCode::StoreUnavailable);
    QSqlQuery q(db());
    q.prepare(QStringLiteral("UPDATE notebook_item SET note = ? WHERE id = ?"));
    q.addBindValue(Text(note));
    q.addBindValue(id);
    if (!q.exec())
        return failed(q.lastError().text());
    return q.numRowsAffected() == 1 ? Status::Ok() : Status::Fail(NotebookCode::NotFound);
}

Notebook::Status Notebook::applyReview(qint64 id, Outcome outcome)
{
    auto current = item(id);
    if (!current)
        return current.status();
    const ReviewState next = Sm2Schedule::Review(current->schedule, Sm2Schedule::GradeOf(outcome), today());
    QSqlQuery q(db());
    q.prepare(QStringLiteral("UPDATE notebook_item SET status = ?, missed = missed + ?, last_seen = ?, ease = ?,"
                             " interval_days = ?, repetitions = ?, lapses = ?, due_day = ?, mastered = ?, leech = ?,"
                             " active = ? WHERE id = ?"));
    q.addBindValue(int(outcome));
    q.addBindValue(OutcomeRules::IsMiss(outcome) ? 1 : 0);
    q.addBindValue(now().toMSecsSinceEpoch());
    BindSchedule(q, next);
    q.addBindValue(next.mastered ? 0 : 1);
    q.addBindValue(id);
    if (!q.exec())
        return failed(q.lastError().text());
    return Status::Ok();
}

} // namespace zelvora::notebook

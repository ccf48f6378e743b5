#include "attempts/KeyRevisions.h"

#include "mockexam/ExamScore.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>
#include <QVariant>

namespace zelvora::attempts {

namespace {

std::string Message(const QSqlError& e)
{
    return (e.databaseText().isEmpty() ? e.text() : e.databaseText()).toStdString();
}

} // namespace

KeyRevisions::KeyRevisions(QString storePath)
    : m_path(std::move(storePath))
    , m_connection(QStringLiteral("zelvora-revisions-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

KeyRevisions::~KeyRevisions()
{
    if (QSqlDatabase::contains(m_connection)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
    }
}

bool KeyRevisions::open(QString* why)
{
    if (QSqlDatabase::contains(m_connection) && QSqlDatabase::database(m_connection, false).isOpen())
        return true;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open()) {
        *why = db.lastError().text();
        return false;
    }
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA foreign_keys=ON"))
        || !q.exec(QStringLiteral("SELECT 1 FROM sqlite_master WHERE name = 'key_revision'")) || !q.next()) {
        *why = q.lastError().isValid() ? q.lastError().text() : QStringLiteral("no key_revision table");
        db.close();
        return false;
    }
    return true;
}

ResultOf<std::vector<Rescored>, RevisionCode> KeyRevisions::rescore(const PaperIdentity& paper,
                                                                    const QString& newKeyHash,
                                                                    const std::vector<std::string>& newKey,
                                                                    const mockexam::PaperInfo& newInfo)
{
    using Outcome = ResultOf<std::vector<Rescored>, RevisionCode>;
    QString why;
    if (!open(&why))
        return Outcome::Fail(RevisionCode::CannotOpen, why.toStdString());
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.transaction())
        return Outcome::Fail(RevisionCode::WriteFailed, Message(db.lastError()));
    auto failed = [&](const QSqlQuery& q) {
        const std::string message = Message(q.lastError());
        db.rollback();
        return Outcome::Fail(RevisionCode::WriteFailed, message);
    };

    struct Row {
        qint64 id;
        int questions, hits;
        qint64 seconds;
        QString keyHash;
    };
    std::vector<Row> rows;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT id, question_count, hits, elapsed_seconds, key_hash FROM attempt"
                             " WHERE pdf_path = ? AND data_folder = ? ORDER BY id"));
    q.addBindValue(paper.pdfPath);
    q.addBindValue(paper.dataFolder);
    if (!q.exec())
        return failed(q);
    while (q.next())
        rows.push_back({q.value(0).toLongLong(), q.value(1).toInt(), q.value(2).toInt(), q.value(3).toLongLong(),
                        q.value(4).toString()});

    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const int questions = int(newKey.size());
    std::vector<Rescored> done;
    for (const Row& row : rows) {
        std::vector<std::string> answers(newKey.size(), "#");
        q.prepare(QStringLiteral("SELECT question, answer FROM answer WHERE attempt_id = ?"));
        q.addBindValue(row.id);
        if (!q.exec())
            return failed(q);
        while (q.next()) {
            const int question = q.value(0).toInt();
            if (question >= 0 && question < questions)
                answers[size_t(question)] = q.value(1).toString().toStdString();
        }
        const auto score = mockexam::ExamScore::Compute(newKey, answers, row.seconds, newInfo);
        Rescored r{row.id, row.hits, row.questions, score.hits, questions};
        q.prepare(QStringLiteral("INSERT INTO key_revision (attempt_id, old_key_hash, new_key_hash, hits_before,"
                                 " hits_after, questions_before, questions_after, revised_at)"
                                 " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
        for (const QVariant& v :
             {QVariant(row.id), QVariant(row.keyHash), QVariant(newKeyHash), QVariant(r.hitsBefore),
              QVariant(r.hitsAfter), QVariant(r.questionsBefore), QVariant(r.questionsAfter), QVariant(now)})
            q.addBindValue(v);
        if (!q.exec())
            return failed(q);
        q.prepare(QStringLiteral("UPDATE attempt SET key_hash = ?, hits = ?, answered = ?, question_count = ?"
                                 " WHERE id = ?"));
        for (const QVariant& v : {QVariant(newKeyHash), QVariant(score.hits), QVariant(score.answered),
                                  QVariant(questions), QVariant(row.id)})
            q.addBindValue(v);
        if (!q.exec())
            return failed(q);
        done.push_back(r);
    }
    if (!db.commit()) {
        const std::string message = Message(db.lastError());
        db.rollback();
        return Outcome::Fail(RevisionCode::WriteFailed, message);
    }
    return done;
}

std::map<qint64, Rescored> KeyRevisions::latest()
{
    std::map<qint64, Rescored> out;
    QString why;
    if (!open(&why))
        return out;
    QSqlQuery q(QSqlDatabase::database(m_connection, false));
    if (!q.exec(QStringLiteral("SELECT attempt_id, hits_before, questions_before, hits_after, questions_after"
                               " FROM key_revision ORDER BY id")))
        return out;
    // Later rows overwrite earlier ones; the first "before" is kept, so two
    // updates in a row show the score under the first key.
    while (q.next()) {
        const qint64 id = q.value(0).toLongLong();
        const auto it = out.find(id);
        Rescored r{id, q.value(1).toInt(), q.value(2).toInt(), q.value(3).toInt(), q.value(4).toInt()};
        if (it != out.end()) {
            r.hitsBefore = it->second.hitsBefore;
            r.questionsBefore = it->second.questionsBefore;
        }
        out[id] = r;
    }
    return out;
}

} // namespace zelvora::attempts

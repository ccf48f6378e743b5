#include "notebook/NotebookStats.h"

#include "attempts/AttemptStore.h"
#include "notebook/Notebook.h"
#include "notebook/PaperLabel.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <algorithm>

namespace zelvora::notebook {

void NotebookStats::SortLowestFirst(std::vector<SubjectRate>& rates)
{
    std::stable_sort(rates.begin(), rates.end(), [](const SubjectRate& a, const SubjectRate& b) {
        // Compared as fractions, so equal rates of different totals tie.
        const qint64 left = qint64(a.hits) * qMax(1, b.total);
        const qint64 right = qint64(b.hits) * qMax(1, a.total);
        if (left != right)
            return left < right;
        return a.name < b.name;
    });
}

ResultOf<NotebookStatsData, NotebookCode> NotebookStats::Compute(Notebook& notebook)
{
    using Out = ResultOf<NotebookStatsData, NotebookCode>;
    if (const auto caught = notebook.catchUp(); !caught)
        return caught.status();
    NotebookStatsData data;
    QSqlQuery q(QSqlDatabase::database(notebook.store().connectionName(), false));
    q.setForwardOnly(true);
    // The time of an attempt is what its questions were current for, where
    // the exam recorded it; an attempt from before it did counts its clock.
    if (!q.exec(
            QStringLiteral("SELECT paper_name, SUM(hits), SUM(question_count),"
                           " SUM(COALESCE((SELECT SUM(t.seconds) FROM question_time t WHERE t.attempt_id = attempt.id),"
                           " elapsed_seconds)), COUNT(*)"
                           " FROM attempt WHERE kind = 0 AND finished = 1 GROUP BY paper_name")))
        return Out::Fail(NotebookCode::StoreFailed, q.lastError().text().toStdString());
    std::map<QString, SubjectRate> boards;
    std::map<QString, qint64> boardSeconds;
    qint64 seconds = 0;
    qint64 questions = 0;
    while (q.next()) {
        const QString board = PaperLabel::Parse(q.value(0).toString()).board;
        SubjectRate& r = boards[board];
        r.name = board;
        r.hits += q.value(1).toInt();
        r.total += q.value(2).toInt();
        boardSeconds[board] += q.value(3).toLongLong();
        seconds += q.value(3).toLongLong();
        questions += q.value(2).toLongLong();
        data.attempts += q.value(4).toInt();
    }
    for (auto& [name, rate] : boards) {
        rate.secondsPerQuestion = rate.total > 0 ? double(boardSeconds[name]) / rate.total : -1;
        data.boards.push_back(rate);
    }
    data.secondsPerQuestion = questions > 0 ? double(seconds) / double(questions) : 0;

    if (!q.exec(QStringLiteral("SELECT s.subject, s.hits, s.total, a.ended_at FROM attempt_subject s"
                               " JOIN attempt a ON a.id = s.attempt_id WHERE a.kind = 0 AND a.finished = 1")))
        return Out::Fail(NotebookCode::StoreFailed, q.lastError().text().toStdString());
    std::map<QString, SubjectRate> subjects;
    std::map<QString, std::map<QDate, SubjectPoint>> lines;
    while (q.next()) {
        const QString name = q.value(0).toString();
        const int hits = q.value(1).toInt();
        const int total = q.value(2).toInt();
        SubjectRate& r = subjects[name];
        r.name = name;
        r.hits += hits;
        r.total += total;
        const QDate day = QDateTime::fromMSecsSinceEpoch(q.value(3).toLongLong(), Qt::UTC).toLocalTime().date();
        const QDate month(day.year(), day.month(), 1);
        SubjectPoint& p = lines[name][month];
        p.month = month;
        p.hits += hits;
        p.total += total;
    }
    for (auto& [name, rate] : subjects)
        data.subjects.push_back(rate);
    for (auto& [name, points] : lines)
        for (auto& [month, point] : points)
            data.subjectLines[name].push_back(point);
    SortLowestFirst(data.subjects);
    SortLowestFirst(data.boards);
    return data;
}

} // namespace zelvora::notebook

#pragma once
// What the attempt store keeps about single questions, in the same SQLite
// file and through the same connection as the AttemptStore it is given:
//  - the map of each paper (where its questions start), kept under the PDF's
//    content hash, with the places the user set by hand apart, so that a new
//    detection never overwrites them;
//  - the notes of each paper's questions, kept across attempts;
//  - per attempt: the seconds each question was the current one, and the
//    questions marked as a guess ("Chute").
// Each write is its own transaction and says how it went (StoreError, with
// SQLite's message as the detail); a store that is not open does nothing and
// its writes fail with NotOpen, its reads return nothing.
#include "attempts/StoreError.h"
#include "mockexam/QuestionMap.h"

#include <QString>
#include <QVariantList>

#include <map>
#include <optional>
#include <vector>

class QSqlDatabase;

namespace zelvora::attempts {

class AttemptStore;

class QuestionStore {
public:
    explicit QuestionStore(AttemptStore& store);

    // The statements that bring the file to the version with these tables.
    static std::vector<const char*> Schema();
    // The tables those statements make.
    static constexpr const char* Tables[] = {"paper_map", "question_place", "question_note", "question_time",
                                             "question_guess"};

    // The found places replace those found before; the user's stay.
    StoreResult saveFound(const QString& paperHash, const std::vector<mockexam::QuestionPlace>& places);
    StoreResult saveCorrection(const QString& paperHash, const mockexam::QuestionPlace& place);
    // Nothing when the paper was never mapped and has no place of the user's.
    std::optional<mockexam::QuestionMap> loadMap(const QString& paperHash);
    // Whether a detection was kept for the paper (even one that found nothing).
    bool isMapped(const QString& paperHash);
    // The place of one question of a paper, the user's first.
    std::optional<mockexam::QuestionPlace> placeOf(const QString& paperHash, int number);

    // An empty note removes it. Numbers are 1-based.
    StoreResult saveNote(const QString& paperHash, int number, const QString& note);
    std::map<int, QString> notes(const QString& paperHash);

    // The paper an attempt was taken on, by content hash.
    StoreResult setAttemptPaper(qint64 attemptId, const QString& paperHash);
    QString attemptPaper(qint64 attemptId);
    // The notes of the paper an attempt was taken on.
    std::map<int, QString> notesOfAttempt(qint64 attemptId);

    // The whole list of seconds per question (index 0 = question 1).
    StoreResult saveSeconds(qint64 attemptId, const std::vector<qint64>& seconds);
    // Empty for an attempt that kept no times.
    std::vector<qint64> seconds(qint64 attemptId, int questionCount);
    StoreResult setGuess(qint64 attemptId, int question, bool guess); // question 0-based
    std::vector<bool> guesses(qint64 attemptId, int questionCount);

private:
    StoreResult run(const QString& sql, const QVariantList& values);
    static StoreResult commitOrRollBack(QSqlDatabase& db, StoreResult result);
    AttemptStore& m_store;
};

} // namespace zelvora::attempts

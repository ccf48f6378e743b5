// The notebook's rules without a store: what counts as a miss, the SM-2
// steps, the board and year read from a paper's name, and the filter counts.
#include "notebook/NotebookFilter.h"
#include "notebook/OutcomeRules.h"
#include "notebook/PaperLabel.h"
#include "notebook/Sm2Schedule.h"

#include <QTest>

using namespace zelvora::notebook;

Q_DECLARE_METATYPE(zelvora::notebook::Outcome)

class TestNotebookRules : public QObject {
    Q_OBJECT
private slots:
    void judge_data();
    void judge();
    void sm2Steps_data();
    void sm2Steps();
    void easeNeverFallsBelowFloor();
    void masteredAndLeech();
    void paperLabel_data();
    void paperLabel();
    void filterCountsIgnoreOwnField();
};

void TestNotebookRules::judge_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("guessed");
    QTest::addColumn<bool>("annulled");
    QTest::addColumn<Outcome>("expected");
    QTest::newRow("right") << "3"
                           << "3" << false << false << Outcome::Right;
    QTest::newRow("wrong") << "3"
                           << "4" << false << false << Outcome::Wrong;
    QTest::newRow("blank") << "3"
                           << "#" << false << false << Outcome::Blank;
    QTest::newRow("right but guessed") << "3"
                                       << "3" << true << false << Outcome::Guess;
    QTest::newRow("wrong and guessed") << "3"
                                       << "1" << true << false << Outcome::Guess;
    QTest::newRow("blank marked guess stays blank") << "3"
                                                    << "#" << true << false << Outcome::Blank;
    QTest::newRow("annulled blank") << "3"
                                    << "#" << false << true << Outcome::Right;
    QTest::newRow("annulled wrong") << "3"
                                    << "5" << false << true << Outcome::Right;
    QTest::newRow("key # matches blank") << "#"
                                         << "#" << false << false << Outcome::Right;
    QTest::newRow("key with space never matches") << "3 "
                                                  << "3" << false << false << Outcome::Wrong;
    QTest::newRow("right/wrong item") << "C"
                                      << "E" << false << false << Outcome::Wrong;
}

void TestNotebookRules::judge()
{
    QFETCH(QString, key);
    QFETCH(QString, answer);
    QFETCH(bool, guessed);
    QFETCH(bool, annulled);
    QFETCH(Outcome, expected);
    QCOMPARE(OutcomeRules::Judge(key.toStdString(), answer.toStdString(), guessed, annulled), expected);
}

void TestNotebookRules::sm2Steps_data()
{
    // A sequence of grades from a new question on day 100: the intervals and
    // due days after each, and the ease at the end.
    QTest::addColumn<QList<int>>("grades");
    QTest::addColumn<QList<int>>("intervals");
    QTest::addColumn<double>("ease");
    QTest::newRow("right three times") << QList<int>{4, 4, 4} << QList<int>{6, 15, 38} << 2.5;
    QTest::newRow("perfect grows ease") << QList<int>{5, 5, 5} << QList<int>{6, 16, 43} << 2.8;
    QTest::newRow("miss comes back tomorrow") << QList<int>{4, 4, 1} << QList<int>{6, 15, 1} << 1.96;
    QTest::newRow("miss then right restarts") << QList<int>{1, 4, 4} << QList<int>{1, 6, 12} << 1.96;
    QTest::newRow("blank is the worst miss") << QList<int>{0} << QList<int>{1} << 1.7;
    QTest::newRow("guess is right with a lower ease") << QList<int>{3, 3, 3} << QList<int>{6, 14, 31} << 2.08;
}

void TestNotebookRules::sm2Steps()
{
    QFETCH(QList<int>, grades);
    QFETCH(QList<int>, intervals);
    QFETCH(double, ease);
    ReviewState s;
    int64_t day = 100;
    for (int i = 0; i < grades.size(); ++i) {
        s = Sm2Schedule::Review(s, grades[i], day);
        QCOMPARE(s.intervalDays, intervals[i]);
        QCOMPARE(s.dueDay, day + intervals[i]);
        day = s.dueDay;
    }
    QVERIFY2(qAbs(s.ease - ease) < 1e-9, qPrintable(QString::number(s.ease)));
}

void TestNotebookRules::easeNeverFallsBelowFloor()
{
    ReviewState s;
    for (int i = 0; i < 10; ++i)
        s = Sm2Schedule::Review(s, 0, 1);
    QCOMPARE(s.ease, Sm2Schedule::MinimumEase);
    QCOMPARE(s.intervalDays, 1);
}

void TestNotebookRules::masteredAndLeech()
{
    struct Case {
        const char* name;
        QList<Outcome> outcomes;
        bool mastered;
        bool leech;
    };
    const Case cases[] = {
        {"right twice is not yet mastered", {Outcome::Right, Outcome::Right}, false, false},
        {"right three in a row is mastered", {Outcome::Right, Outcome::Right, Outcome::Right}, true, false},
        {"a miss breaks the streak",
         {Outcome::Right, Outcome::Right, Outcome::Wrong, Outcome::Right, Outcome::Right},
         false,
         false},
        {"four misses make a leech", {Outcome::Wrong, Outcome::Blank, Outcome::Wrong, Outcome::Wrong}, false, true},
        {"a leech stays flagged when later right",
         {Outcome::Wrong, Outcome::Wrong, Outcome::Wrong, Outcome::Wrong, Outcome::Right},
         false,
         true},
    };
    for (const Case& c : cases) {
        ReviewState s;
        for (Outcome o : c.outcomes)
            s = Sm2Schedule::Review(s, Sm2Schedule::GradeOf(o), 10);
        QVERIFY2(s.mastered == c.mastered, c.name);
        QVERIFY2(s.leech == c.leech, c.name);
    }
}

void TestNotebookRules::paperLabel_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("board");
    QTest::addColumn<QString>("year");
    QTest::newRow("type - board - year") << "Técnico Judiciário - Fundação Ventania - 2010"
                                         << "Fundação Ventania"
                                         << "2010";
    QTest::newRow("year with phase") << "Agente - Centro Carnaúba - 2008 - 2ª fase"
                                     << "Centro Carnaúba"
                                     << "2008 - 2ª fase";
    QTest::newRow("hyphen inside a word") << "Analista - Comissão Ipê-Roxo - 2009"
                                          << "Comissão Ipê-Roxo"
                                          << "2009";
    QTest::newRow("no year") << "Técnico - Fundação Ventania - prova"
                             << ""
                             << "";
    QTest::newRow("two parts only") << "Fundação Ventania - 2010"
                                    << ""
                                    << "";
    QTest::newRow("plain name") << "Minha prova"
                                << ""
                                << "";
}

void TestNotebookRules::paperLabel()
{
    QFETCH(QString, name);
    QFETCH(QString, board);
    QFETCH(QString, year);
    const PaperLabel label = PaperLabel::Parse(name);
    QCOMPARE(label.board, board);
    QCOMPARE(label.year, year);
}

void TestNotebookRules::filterCountsIgnoreOwnField()
{
    auto item = [](const char* paper, const char* board, const char* subject, Outcome status) {
        NotebookItem it;
        it.paperName = QString::fromUtf8(paper);
        it.board = QString::fromUtf8(board);
        it.subject = QString::fromUtf8(subject);
        it.status = status;
        return it;
    };
    const std::vector<NotebookItem> items = {
        item("P1", "Banca A", "Português", Outcome::Wrong), item("P1", "Banca A", "Direito", Outcome::Blank),
        item("P2", "Banca B", "Português", Outcome::Wrong), item("P2", "Banca B", "Português", Outcome::Guess),
        item("P3", "Banca A", "Direito", Outcome::Wrong),
    };
    NotebookFilter f;
    f.set(NotebookFilter::Field::Subject, QStringLiteral("Português"));
    QCOMPARE(f.apply(items).size(), size_t(3));
    // The subject's own counts ignore the subject filter; others obey it.
    QCOMPARE(f.counts(items, NotebookFilter::Field::Subject),
             (std::map<QString, int>{{QStringLiteral("Direito"), 2}, {QStringLiteral("Português"), 3}}));
    QCOMPARE(f.counts(items, NotebookFilter::Field::Board),
             (std::map<QString, int>{{QStringLiteral("Banca A"), 1}, {QStringLiteral("Banca B"), 2}}));
    f.set(NotebookFilter::Field::Status, QString::number(int(Outcome::Wrong)));
    QCOMPARE(f.apply(items).size(), size_t(2));
    QCOMPARE(f.counts(items, NotebookFilter::Field::Paper),
             (std::map<QString, int>{{QStringLiteral("P1"), 1}, {QStringLiteral("P2"), 1}}));
    f.set(NotebookFilter::Field::Subject, std::nullopt);
    QCOMPARE(f.apply(items).size(), size_t(3));
}

QTEST_GUILESS_MAIN(TestNotebookRules)
#include "tst_NotebookRules.moc"

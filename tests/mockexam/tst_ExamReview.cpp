// The review of a finished exam: letters as on the paper, statuses, filters.
#include "mockexam/ExamReview.h"

#include <QTest>

using namespace zelvora::mockexam;

class TestExamReview : public QObject {
    Q_OBJECT
private slots:
    void filters_data();
    void filters();
    void guessesTimesAndNotes_data();
    void guessesTimesAndNotes();
    void filterLabels_data();
    void filterLabels();
};

void TestExamReview::filters_data()
{
    QTest::addColumn<bool>("rightWrong");
    QTest::addColumn<QStringList>("key");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QStringList>("rows");

    const QStringList key = {"1", "2", "3", "4", "5"};
    const QStringList answers = {"1", "3", "#", "4", "#"};
    // Marked for review: questions 2 and 3; question 4 annulled.
    QTest::newRow("all") << false << key << answers << int(ReviewFilter::All)
                         << QStringList{"Questão 1: marcada A, gabarito A - certa",
                                        "Questão 2: marcada C, gabarito B - errada [revisar]",
                                        "Questão 3: marcada -, gabarito C - em branco [revisar]",
                                        "Questão 4: marcada D, gabarito D - anulada",
                                        "Questão 5: marcada -, gabarito E - em branco"};
    QTest::newRow("wrong") << false << key << answers << int(ReviewFilter::Wrong)
                           << QStringList{"Questão 2: marcada C, gabarito B - errada [revisar]"};
    QTest::newRow("blank") << false << key << answers << int(ReviewFilter::Blank)
                           << QStringList{"Questão 3: marcada -, gabarito C - em branco [revisar]",
                                          "Questão 5: marcada -, gabarito E - em branco"};
    QTest::newRow("wrong or blank, as the results list them")
        << false << key << answers << int(ReviewFilter::NotRight)
        << QStringList{"Questão 2: marcada C, gabarito B - errada [revisar]",
                       "Questão 3: marcada -, gabarito C - em branco [revisar]",
                       "Questão 5: marcada -, gabarito E - em branco"};
    QTest::newRow("marked") << false << key << answers << int(ReviewFilter::Marked)
                            << QStringList{"Questão 2: marcada C, gabarito B - errada [revisar]",
                                           "Questão 3: marcada -, gabarito C - em branco [revisar]"};
    QTest::newRow("right/wrong letters") << true << QStringList{"C", "E", "x", "C"} << QStringList{"E", "E", "C", "#"}
                                         << int(ReviewFilter::All)
                                         << QStringList{"Questão 1: marcada E, gabarito C - errada",
                                                        "Questão 2: marcada E, gabarito E - certa [revisar]",
                                                        "Questão 3: marcada C, gabarito x - errada [revisar]",
                                                        "Questão 4: marcada -, gabarito C - anulada"};
    QTest::newRow("odd key lines shown as they are")
        << false << QStringList{"", "B"} << QStringList{"#", "2"} << int(ReviewFilter::All)
        << QStringList{"Questão 1: marcada -, gabarito - - em branco",
                       "Questão 2: marcada B, gabarito B - errada [revisar]"};
}

void TestExamReview::filters()
{
    QFETCH(bool, rightWrong);
    QFETCH(QStringList, key);
    QFETCH(QStringList, answers);
    QFETCH(int, filter);
    QFETCH(QStringList, rows);
    PaperInfo info;
    info.itemType = rightWrong ? ItemType::RightWrong : ItemType::MultipleChoice;
    info.annulled = {4};
    std::vector<std::string> k, a;
    for (const auto& s : key)
        k.push_back(s.toStdString());
    for (const auto& s : answers)
        a.push_back(s.toStdString());
    const auto review = ExamReview::Build(k, a, {false, true, true}, info);
    QStringList out;
    for (const auto& row : review.filtered(ReviewFilter(filter)))
        out << QString::fromStdString(ExamReview::RowText(row));
    QCOMPARE(out, rows);
}

void TestExamReview::guessesTimesAndNotes_data()
{
    QTest::addColumn<QList<bool>>("guesses");
    QTest::addColumn<QList<long long>>("seconds");
    QTest::addColumn<int>("filter");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("guesses only") << QList<bool>{false, true, true} << QList<long long>{} << int(ReviewFilter::Guessed)
                                  << QStringList{"Questão 2: marcada C, gabarito B - errada [chute] - nota: rever",
                                                 "Questão 3: marcada -, gabarito C - em branco [chute]"};
    QTest::newRow("times") << QList<bool>{} << QList<long long>{5, 75, 0} << int(ReviewFilter::All)
                           << QStringList{"Questão 1: marcada A, gabarito A - certa - 5 s",
                                          "Questão 2: marcada C, gabarito B - errada - 1 min 15 s - nota: rever",
                                          "Questão 3: marcada -, gabarito C - em branco - 0 s"};
    QTest::newRow("times of another length are none")
        << QList<bool>{true} << QList<long long>{5, 6} << int(ReviewFilter::Guessed)
        << QStringList{"Questão 1: marcada A, gabarito A - certa [chute]"};
}

void TestExamReview::guessesTimesAndNotes()
{
    QFETCH(QList<bool>, guesses);
    QFETCH(QList<long long>, seconds);
    QFETCH(int, filter);
    QFETCH(QStringList, rows);
    ExamReview review = ExamReview::Build({"1", "2", "3"}, {"1", "3", "#"}, {}, PaperInfo{});
    // A note on a number outside the paper is left out.
    review.addQuestionAids(std::vector<bool>(guesses.begin(), guesses.end()),
                           std::vector<long long>(seconds.begin(), seconds.end()), {{2, "rever"}, {9, "fora"}});
    QStringList got;
    for (const ReviewRow& row : review.filtered(ReviewFilter(filter)))
        got << QString::fromStdString(ExamReview::RowText(row));
    QCOMPARE(got, rows);
    QCOMPARE(QString::fromUtf8(ExamReview::FilterText(ReviewFilter::Guessed)), QStringLiteral("Chutes"));
}

void TestExamReview::filterLabels_data()
{
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("labels"); // All, Wrong, Blank, Marked, NotRight

    // Five right and twenty blank: nothing was answered wrongly, and the
    // labels say so where a bare "Erradas" read as a contradiction.
    QStringList fiveRight = {"1", "2", "3", "4", "5"};
    for (int i = 0; i < 20; ++i)
        fiveRight << "#";
    QTest::newRow("five right, twenty blank") << fiveRight
                                              << QStringList{"Todas (25)", "Respondidas erradas (0)", "Em branco (20)",
                                                             "Marcadas para revisar (0)", "Erradas ou em branco (20)"};
    QStringList allWrong;
    for (int i = 0; i < 25; ++i)
        allWrong << "2";
    QTest::newRow("every answer B: five right, twenty wrong")
        << allWrong
        << QStringList{"Todas (25)", "Respondidas erradas (20)", "Em branco (0)", "Marcadas para revisar (0)",
                       "Erradas ou em branco (20)"};
}

void TestExamReview::filterLabels()
{
    QFETCH(QStringList, answers);
    QFETCH(QStringList, labels);
    std::vector<std::string> k, a;
    for (int i = 0; i < 25; ++i)
        k.push_back(std::to_string(i % 5 + 1));
    for (const auto& s : answers)
        a.push_back(s.toStdString());
    // A key of "1" to "5" repeated: answering "2" everywhere hits 5 of 25.
    const auto review = ExamReview::Build(k, a, {}, PaperInfo{});
    QStringList out;
    for (const auto f :
         {ReviewFilter::All, ReviewFilter::Wrong, ReviewFilter::Blank, ReviewFilter::Marked, ReviewFilter::NotRight})
        out << QString::fromStdString(review.filterLabel(f));
    QCOMPARE(out, labels);
}

QTEST_APPLESS_MAIN(TestExamReview)
#include "tst_ExamReview.moc"

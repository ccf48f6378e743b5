// The history table: order, sorting, texts, one paper's series and the CSV.
#include "attempts/HistoryCsv.h"
#include "attempts/HistoryModel.h"
#include "attempts/PaperSeries.h"

#include <QTest>

using namespace zelvora::attempts;

namespace {

const PaperIdentity PaperA{QStringLiteral("/s/a.pdf"), QStringLiteral("/d/"), QStringLiteral("ka")};
const PaperIdentity PaperB{QStringLiteral("/s/b.pdf"), QStringLiteral("/d/"), QStringLiteral("kb")};

Attempt Make(qint64 id, int day, const PaperIdentity& paper, const QString& name, int hits, int total, qint64 seconds,
             bool finished = true)
{
    Attempt a;
    a.id = id;
    a.paper = paper;
    a.paperName = name;
    a.startedAt = QDateTime(QDate(2026, 1, day), QTime(10, 0), Qt::UTC);
    a.questionCount = total;
    a.hits = hits;
    a.answered = total;
    a.elapsedSeconds = seconds;
    a.finished = finished;
    return a;
}

// Rows 1..4 as the tests use them: ids in order of date.
std::vector<Attempt> Sample()
{
    return {Make(1, 1, PaperA, QStringLiteral("Auditor"), 3, 10, 600),
            Make(3, 3, PaperB, QStringLiteral("Técnico"), 2, 4, 3725),
            Make(2, 2, PaperA, QStringLiteral("Auditor"), 7, 10, 90),
            Make(4, 4, PaperA, QStringLiteral("Auditor"), 1, 10, 30, false)};
}

QList<qint64> Ids(const HistoryModel& m)
{
    QList<qint64> ids;
    for (int r = 0; r < m.rowCount(); ++r)
        ids << m.index(r, 0).data(HistoryModel::AttemptIdRole).toLongLong();
    return ids;
}

} // namespace

class TestHistoryModel : public QObject {
    Q_OBJECT
private slots:
    void newestFirstWithTexts();
    void sorting_data();
    void sorting();
    void paperSeries();
    void csv_data();
    void csv();
    void csvCarriesNotes();
};

void TestHistoryModel::newestFirstWithTexts()
{
    HistoryModel m(QLocale(QLocale::Portuguese, QLocale::Brazil));
    m.setAttempts(Sample());
    QCOMPARE(Ids(m), (QList<qint64>{4, 3, 2, 1}));
    QCOMPARE(m.columnCount(), 7);
    const QStringList row = {m.index(1, 0).data().toString(), m.index(1, 1).data().toString(),
                             m.index(1, 2).data().toString(), m.index(1, 3).data().toString(),
                             m.index(1, 4).data().toString(), m.index(1, 5).data().toString(),
                             m.index(1, 6).data().toString()};
    QCOMPARE(row, (QStringList{"03/01/2026 10:00", "Técnico", "2 de 4", "50,00%", "1:02:05", "4", "concluída"}));
    QCOMPARE(m.index(0, HistoryModel::Status).data().toString(), QStringLiteral("interrompida"));
    QCOMPARE(HistoryModel(QLocale::c()).percentageText(Sample()[0]), QStringLiteral("30.00%"));
}

void TestHistoryModel::sorting_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("order");
    QTest::addColumn<QList<qint64>>("ids");
    QTest::newRow("date, oldest first") << int(HistoryModel::Date) << int(Qt::AscendingOrder)
                                        << QList<qint64>{1, 2, 3, 4};
    QTest::newRow("paper, ties newest first")
        << int(HistoryModel::Paper) << int(Qt::AscendingOrder) << QList<qint64>{4, 2, 1, 3};
    QTest::newRow("percentage, best first")
        << int(HistoryModel::Percentage) << int(Qt::DescendingOrder) << QList<qint64>{2, 3, 1, 4};
    QTest::newRow("hits, fewest first") << int(HistoryModel::Hits) << int(Qt::AscendingOrder)
                                        << QList<qint64>{4, 3, 1, 2};
    QTest::newRow("time, longest first") << int(HistoryModel::Time) << int(Qt::DescendingOrder)
                                         << QList<qint64>{3, 1, 2, 4};
    QTest::newRow("status, interrupted first")
        << int(HistoryModel::Status) << int(Qt::AscendingOrder) << QList<qint64>{4, 3, 2, 1};
}

void TestHistoryModel::sorting()
{
    QFETCH(int, column);
    QFETCH(int, order);
    QFETCH(QList<qint64>, ids);
    HistoryModel m;
    m.setAttempts(Sample());
    const QPersistentModelIndex selected = m.index(m.rowOf(2), 1);
    m.sort(column, Qt::SortOrder(order));
    QCOMPARE(Ids(m), ids);
    QCOMPARE(selected.data(HistoryModel::AttemptIdRole).toLongLong(), 2); // a selection follows its row
    m.setAttempts(Sample()); // reloading keeps the sort
    QCOMPARE(Ids(m), ids);
}

void TestHistoryModel::paperSeries()
{
    const PaperSeries a = PaperSeries::For(Sample(), PaperA);
    QCOMPARE(a.percentages, (std::vector<double>{30.0, 70.0})); // oldest first, interrupted left out
    QCOMPARE(a.best, 70.0);
    QCOMPARE(a.average, 50.0);
    QVERIFY(PaperSeries::For(Sample(), PaperIdentity{PaperA.pdfPath, PaperA.dataFolder, "other"}).empty());
}

void TestHistoryModel::csv_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("line");
    QTest::newRow("pt_BR: semicolon, decimal comma")
        << "pt_BR"
        << "Técnico 2008"
        << "\"2026-01-01 10:00\";\"Técnico 2008\";\"3\";\"10\";\"30,00\";\"600\";\"10\";\"concluída\"";
    QTest::newRow("C: comma, decimal point")
        << "C"
        << "Prova"
        << "\"2026-01-01 10:00\",\"Prova\",\"3\",\"10\",\"30.00\",\"600\",\"10\",\"concluída\"";
    QTest::newRow("quotes and separators") << "pt_BR"
                                           << "A; \"B\", C\nD"
                                           << "\"2026-01-01 10:00\";\"A; \"\"B\"\", C\nD\";\"3\";\"10\";\"30,00\";"
                                              "\"600\";\"10\";\"concluída\"";
    QTest::newRow("formula never runs") << "C"
                                        << "=HYPERLINK(\"x\")"
                                        << "\"2026-01-01 10:00\",\"'=HYPERLINK(\"\"x\"\")\",\"3\",\"10\",\"30.00\","
                                           "\"600\",\"10\",\"concluída\"";
    QTest::newRow("tab before a formula") << "C"
                                          << "\t=1+2"
                                          << "\"2026-01-01 10:00\",\"'\t=1+2\",\"3\",\"10\",\"30.00\","
                                             "\"600\",\"10\",\"concluída\"";
    QTest::newRow("CR before a formula") << "C"
                                         << "\r=cmd|' /C calc'!A0"
                                         << "\"2026-01-01 10:00\",\"'\r=cmd|' /C calc'!A0\",\"3\",\"10\",\"30.00\","
                                            "\"600\",\"10\",\"concluída\"";
}

void TestHistoryModel::csv()
{
    QFETCH(QString, locale);
    QFETCH(QString, name);
    QFETCH(QString, line);
    HistoryModel m;
    m.setAttempts({Make(1, 1, PaperA, name, 3, 10, 600)});
    const QByteArray csv = HistoryCsv::Make(m, QLocale(locale));
    QVERIFY(csv.startsWith("\xEF\xBB\xBF\"Data\""));
    const QString text = QString::fromUtf8(csv.mid(3));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 3); // header, the row, and nothing after the last CR LF
    QCOMPARE(lines[1], line);
    QVERIFY(lines[2].isEmpty());
}

void TestHistoryModel::csvCarriesNotes()
{
    HistoryModel m;
    m.setAttempts(
        {Make(1, 1, PaperA, QStringLiteral("A"), 3, 10, 600), Make(2, 2, PaperB, QStringLiteral("B"), 1, 4, 60)});
    const auto lines = [&](const HistoryCsv::Notes& notes) {
        return QString::fromUtf8(HistoryCsv::Make(m, QLocale(QStringLiteral("C")), notes).mid(3))
            .split(QStringLiteral("\r\n"));
    };
    // Without any note the file is as before: no column for them.
    QVERIFY(!lines({})[0].contains(QStringLiteral("Anotações")));
    QVERIFY(!lines([](const Attempt&) { return std::map<int, QString>{}; })[0].contains(QStringLiteral("Anotações")));
    const QStringList with = lines([](const Attempt& a) {
        return a.id == 2 ? std::map<int, QString>{{7, QStringLiteral("ver \"art. 5º\"")}, {3, QStringLiteral("crase")}}
                         : std::map<int, QString>{};
    });
    QVERIFY(with[0].endsWith(QStringLiteral(",\"Anotações\"")));
    const int row2 = with[1].contains(QStringLiteral(",\"B\",")) ? 1 : 2;
    QVERIFY2(with[row2].endsWith(QStringLiteral(",\"Questão 3: crase | Questão 7: ver \"\"art. 5º\"\"\"")),
             qPrintable(with[row2]));
    QVERIFY(with[3 - row2].endsWith(QStringLiteral(",\"\"")));
}

QTEST_GUILESS_MAIN(TestHistoryModel)
#include "tst_HistoryModel.moc"

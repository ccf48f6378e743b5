// The checker's problem log (at most a hundred problems of a kind, then a
// count) and its folder listing, without any window or PDF engine.
#include "FolderListing.h"
#include "ProblemLog.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora::check;

class TestProblemLog : public QObject {
    Q_OBJECT
private slots:
    void keepsAHundredOfAKindThenCounts_data();
    void keepsAHundredOfAKindThenCounts();
    void kindsAndWeightsCountApart();
    void folderListing();
};

void TestProblemLog::keepsAHundredOfAKindThenCounts_data()
{
    QTest::addColumn<int>("added");
    QTest::addColumn<int>("lines"); // problems in the report
    QTest::addColumn<QString>("last"); // the report's last line

    QTest::newRow("none") << 0 << 0 << QString();
    QTest::newRow("one") << 1 << 1 << "AVISO: linha 1";
    QTest::newRow("exactly a hundred") << 100 << 100 << "AVISO: linha 100";
    QTest::newRow("one more") << 101 << 101 << "AVISO: ... e mais 1 problema deste tipo (linha sem \"#\").";
    QTest::newRow("a million") << 1000000 << 101 << "AVISO: ... e mais 999900 problemas deste tipo (linha sem \"#\").";
}

void TestProblemLog::keepsAHundredOfAKindThenCounts()
{
    QFETCH(int, added);
    QFETCH(int, lines);
    QFETCH(QString, last);
    CheckReport report;
    ProblemLog log(report.problems);
    for (int i = 1; i <= added; ++i)
        log.warning("linha sem \"#\"", "linha " + std::to_string(i));
    log.finish();
    QCOMPARE(int(report.problems.size()), lines);
    if (lines > 0)
        QCOMPARE(QString::fromStdString(report.problems.back().line()), last);
    QCOMPARE(report.warningCount(), size_t(added));
    QCOMPARE(report.errorCount(), size_t(0));
    QVERIFY(!report.failed());
}

void TestProblemLog::kindsAndWeightsCountApart()
{
    CheckReport report;
    ProblemLog log(report.problems);
    // Two kinds interleaved, one of them with both weights.
    for (int i = 0; i < 150; ++i) {
        log.error("PDF que não existe", "pdf " + std::to_string(i));
        log.warning("linha", "a " + std::to_string(i));
        if (i % 3 == 0)
            log.error("linha", "b " + std::to_string(i));
    }
    log.error("gabarito vazio", "um só");
    log.finish();
    QCOMPARE(report.errorCount(), size_t(150 + 50 + 1));
    QCOMPARE(report.warningCount(), size_t(150));
    QVERIFY(report.failed());
    // 100 + count line of each full kind and weight, 50 "b", the last one.
    QCOMPARE(report.problems.size(), size_t(101 + 101 + 50 + 1));
    size_t countLines = 0;
    for (size_t i = 0; i < report.problems.size(); ++i) {
        const auto& p = report.problems[i];
        if (p.omitted == 0)
            continue;
        ++countLines;
        QCOMPARE(p.omitted, size_t(50));
        QCOMPARE(p.text, "... e mais 50 problemas deste tipo (" + p.kind + ").");
        // Every problem of its kind and weight before it is kept in full.
        size_t before = 0;
        for (size_t j = 0; j < i; ++j)
            before += report.problems[j].kind == p.kind && report.problems[j].error == p.error;
        QCOMPARE(before, size_t(100));
    }
    QCOMPARE(countLines, size_t(2));
    QCOMPARE(report.problems.back().text, std::string("um só"));
}

void TestProblemLog::folderListing()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile(dir.filePath("a.pdf")).open(QIODevice::WriteOnly);
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    const std::string d = QFile::encodeName(dir.path()).toStdString() + "/";

    const struct {
        std::string path;
        bool mayExist;
    } cases[] = {
        {d + "a.pdf", true},        {d + "A.pdf", false}, // names are exact
        {d + "b.pdf", false},       {d + "sub", true},
        {d + "sub/x.pdf", false},   {d + "nothere/x.pdf", false}, // a folder that is not there holds nothing
        {d + "a.pdf/x.pdf", false}, // nor does a file
        {d + "sub/", true}, // no name: only a probe tells
        {d + "sub/..", true},
    };
    FolderListing listing;
    for (const auto& c : cases)
        QVERIFY2(listing.mayExist(c.path) == c.mayExist, c.path.c_str());
    // Read once: a file made later is not seen.
    QFile(dir.filePath("b.pdf")).open(QIODevice::WriteOnly);
    QVERIFY(!listing.mayExist(d + "b.pdf"));
    QVERIFY(FolderListing().mayExist(d + "b.pdf"));
}

QTEST_GUILESS_MAIN(TestProblemLog)
#include "tst_ProblemLog.moc"

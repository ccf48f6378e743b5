// Opening a paper: a real PDF opens with its pages; junk, and anything that
// is not a regular file under the cap, is refused with its reason and never
// makes the reader wait.
#include "ExamFolder.h"

#include "mockexam/PaperDocument.h"
#include "support/HazardFile.h"

#include <QTest>

using zelvora::mockexam::PaperDocument;
using Outcome = PaperDocument::Code;

class TestPaperDocument : public QObject {
    Q_OBJECT
private slots:
    void opens_data();
    void opens();
};

void TestPaperDocument::opens_data()
{
    QTest::addColumn<int>("hazard"); // -1: the bytes below in a regular file
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("pages");

    const QByteArray pdf = ExamFolder::PdfBytes(QStringLiteral("P"), 2);
    QTest::newRow("a real paper") << -1 << pdf << int(Outcome::Ok) << 2;
    QTest::newRow("PDF header then junk")
        << -1 << QByteArray("%PDF-1.4\n") + QByteArray(3000, '\x9c') << int(Outcome::NotAPdf) << 0;
    QTest::newRow("PDF cut short") << -1 << pdf.left(200) << int(Outcome::NotAPdf) << 0;
    const Outcome expected[] = {Outcome::NotAFile, Outcome::NotAFile, Outcome::NotAFile, Outcome::TooLarge,
                                Outcome::Missing};
    for (size_t i = 0; i < std::size(AllHazards); ++i)
        QTest::newRow(HazardName(AllHazards[i])) << int(AllHazards[i]) << pdf << int(expected[i]) << 0;
}

void TestPaperDocument::opens()
{
    QFETCH(int, hazard);
    QFETCH(QByteArray, bytes);
    QFETCH(int, outcome);
    QFETCH(int, pages);
    ExamFolder folder;
    const QString path = folder.mockExamFolder() + QStringLiteral("p.pdf");
    if (hazard < 0)
        QVERIFY(folder.write(QStringLiteral("p.pdf"), bytes));
    else
        QVERIFY(MakeHazard(Hazard(hazard), path, qint64(zelvora::text::DataFile::PaperCap), bytes));

    const PipeGuard guard(path);
    const auto opened = PaperDocument::Open(path);
    const Outcome got = opened.code();
    const PaperDocument* paper = opened ? opened.value().get() : nullptr;
    QVERIFY2(!guard.fired(), "the reader waited on a pipe");
    QCOMPARE(int(got), outcome);
    QCOMPARE(paper != nullptr, outcome == int(Outcome::Ok));
    if (paper)
        QCOMPARE(paper->document()->pageCount(), pages);
}

QTEST_MAIN(TestPaperDocument)
#include "tst_PaperDocument.moc"

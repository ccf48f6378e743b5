// Every sample paper is mapped exactly: each question found on the page and
// at the height where the generator drew its title.
#include "mockexam/QuestionMapper.h"
#include "PaperWriter.h"
#include "SampleCatalog.h"
#include "SampleFolderWriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace zelvora::sampledata;
using zelvora::mockexam::QuestionMapper;
using zelvora::mockexam::QuestionPlace;

class TestSampleQuestions : public QObject {
    Q_OBJECT
private slots:
    void everyQuestionAtItsPlace_data();
    void everyQuestionAtItsPlace();
};

void TestSampleQuestions::everyQuestionAtItsPlace_data()
{
    QTest::addColumn<int>("index");
    const auto papers = SampleCatalog::MockPapers();
    for (std::size_t i = 0; i < papers.size(); ++i)
        QTest::newRow(papers[i].pdfPath.c_str()) << int(i);
}

void TestSampleQuestions::everyQuestionAtItsPlace()
{
    QFETCH(int, index);
    const MockPaper paper = SampleCatalog::MockPapers()[std::size_t(index)];
    const auto questions = SampleFolderWriter::Questions(paper);
    std::vector<QuestionPlace> drawn;
    const QByteArray pdf = PaperWriter::Write(paper.info, questions, &drawn);
    QCOMPARE(drawn.size(), questions.size());

    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("paper.pdf")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(pdf), pdf.size());
    file.close();
    const auto mapped = QuestionMapper::Map(file.fileName(), int(questions.size()));
    QVERIFY(mapped);
    QCOMPARE(mapped->places.size(), drawn.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        QCOMPARE(mapped->places[i].number, drawn[i].number);
        QCOMPARE(mapped->places[i].page, drawn[i].page);
        QVERIFY2(std::abs(mapped->places[i].y - drawn[i].y) <= 0.5,
                 qPrintable(QStringLiteral("question %1: %2 against %3")
                                .arg(drawn[i].number)
                                .arg(mapped->places[i].y)
                                .arg(drawn[i].y)));
    }
}

QTEST_MAIN(TestSampleQuestions)
#include "tst_SampleQuestions.moc"

// The text pieces of the sample data: questions, money amounts, archive names
// and the code page 850 names inside the archives.
#include "QuestionBank.h"
#include "SampleCatalog.h"
#include "SampleFolderWriter.h"

#include <QtTest>

#include <set>

using namespace zelvora::sampledata;

class tst_SampleContent : public QObject {
    Q_OBJECT

private slots:
    void money_data()
    {
        QTest::addColumn<qlonglong>("cents");
        QTest::addColumn<QString>("text");
        QTest::newRow("cents only") << 5LL << "R$ 0,05";
        QTest::newRow("below a thousand") << 99990LL << "R$ 999,90";
        QTest::newRow("thousands") << 123450LL << "R$ 1.234,50";
        QTest::newRow("millions") << 100000000LL << "R$ 1.000.000,00";
    }

    void money()
    {
        QFETCH(qlonglong, cents);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(QuestionBank::Money(cents)), text);
    }

    // Every question of many papers: five different options, a right answer
    // among them, and the key holding that answer as a digit 1 to 5.
    void papersAreWellFormed()
    {
        for (uint64_t seed = 0; seed < 200; ++seed) {
            const auto paper = QuestionBank::Paper(seed, 60);
            QCOMPARE(int(paper.size()), 60);
            const auto key = QuestionBank::Key(paper);
            QCOMPARE(key.size(), paper.size());
            for (std::size_t i = 0; i < paper.size(); ++i) {
                const Question& q = paper[i];
                const std::set<std::string> distinct(q.options.begin(), q.options.end());
                QVERIFY2(distinct.size() == 5, q.stem.c_str());
                QVERIFY(!q.stem.empty() && !q.subject.empty());
                QCOMPARE(key[i], std::to_string(q.correct + 1));
            }
        }
    }

    void slug_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("slug");
        QTest::newRow("accents") << "Técnico Judiciário"
                                 << "tecnico-judiciario";
        QTest::newRow("ordinal and dashes") << "2008 - 2ª fase"
                                            << "2008-2a-fase";
        QTest::newRow("capitals") << "Área Ç"
                                  << "area-c";
        QTest::newRow("unknown letter") << "a€b"
                                        << "a-b";
        QTest::newRow("edges") << " -x- "
                               << "x";
    }

    void slug()
    {
        QFETCH(QString, text);
        QFETCH(QString, slug);
        QCOMPARE(QString::fromStdString(SampleCatalog::Slug(text.toStdString())), slug);
    }

    // Archive names are plain ASCII (they are file names on every system) and
    // never repeat, or one exam's archive would overwrite another's.
    void archiveNamesArePlainAndUnique()
    {
        std::set<std::string> names;
        for (const SampleExam& exam : SampleCatalog::Exams()) {
            QVERIFY2(names.insert(exam.archiveName).second, exam.archiveName.c_str());
            for (char c : exam.archiveName)
                QVERIFY2((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.',
                         exam.archiveName.c_str());
        }
    }

    void codePage850_data()
    {
        QTest::addColumn<QByteArray>("cp1252");
        QTest::addColumn<QByteArray>("cp850");
        QTest::newRow("ascii") << QByteArray("anexos/a.txt") << QByteArray("anexos/a.txt");
        QTest::newRow("cedilla and tilde") << QByteArray("\xE7\xF5\xE3") << QByteArray("\x87\xE4\xC6");
        QTest::newRow("capitals") << QByteArray("\xC9\xC7") << QByteArray("\x90\x80");
        QTest::newRow("ordinal") << QByteArray("\xAA") << QByteArray("\xA6");
        QTest::newRow("euro is not in 850") << QByteArray("\x80") << QByteArray("_");
    }

    void codePage850()
    {
        QFETCH(QByteArray, cp1252);
        QFETCH(QByteArray, cp850);
        QCOMPARE(QByteArray::fromStdString(SampleFolderWriter::ToCp850(cp1252.toStdString())), cp850);
    }
};

QTEST_GUILESS_MAIN(tst_SampleContent)
#include "tst_SampleContent.moc"

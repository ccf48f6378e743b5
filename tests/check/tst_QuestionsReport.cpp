// zelvora-check --questoes: the map of a paper as text and as JSON, the key
// beside the paper giving the number of questions.
#include "QuestionsReport.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using zelvora::check::QuestionsReport;
using zelvora::mockexam::QuestionPlace;

Q_DECLARE_METATYPE(std::vector<QuestionPlace>)

namespace {

QString Checker()
{
    return QStringLiteral(ZELVORA_BINARY_DIR "/bin/zelvora-check");
}

// Four questions "1." to "4.", one every 150 points from y = 100.
void WritePaper(const QString& path)
{
    QPdfWriter writer(path);
    writer.setResolution(72);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter(&writer);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(11);
    painter.setFont(font);
    for (int n = 1; n <= 4; ++n) {
        const double y = 100 + 150 * (n - 1);
        painter.drawText(QRectF(56, y, 500, 20), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("%1. Assinale a alternativa correta.").arg(n));
        painter.drawText(QRectF(56, y + 14, 500, 20), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("texto da questão sem número no começo"));
    }
}

struct Run {
    int code = -1;
    QByteArray out;
};

Run Check(const QStringList& args)
{
    QProcess p;
    p.start(Checker(), args);
    Run r;
    if (!p.waitForFinished(60000))
        return r;
    r.code = p.exitCode();
    r.out = p.readAllStandardOutput();
    return r;
}

} // namespace

class TestQuestionsReport : public QObject {
    Q_OBJECT
private slots:
    void formats_data();
    void formats();
    void commandLine();
};

void TestQuestionsReport::formats_data()
{
    QTest::addColumn<std::vector<QuestionPlace>>("places");
    QTest::addColumn<int>("expected");
    QTest::addColumn<QString>("json");
    QTest::addColumn<QString>("text");
    QTest::newRow("none") << std::vector<QuestionPlace>{} << 0 << QStringLiteral("{\"questions\": []}\n")
                          << QStringLiteral("0 questões encontradas.\n");
    QTest::newRow("two of three") << std::vector<QuestionPlace>{{1, 0, 123.44}, {3, 2, 80}} << 3
                                  << QStringLiteral("{\"questions\": [{\"number\": 1, \"page\": 0, \"y\": 123.4}, "
                                                    "{\"number\": 3, \"page\": 2, \"y\": 80.0}]}\n")
                                  << QStringLiteral("Questão 1: página 1, y 123,4\nQuestão 3: página 3, y 80,0\n"
                                                    "2 questões encontradas de 3 do gabarito.\n");
}

void TestQuestionsReport::formats()
{
    QFETCH(std::vector<QuestionPlace>, places);
    QFETCH(int, expected);
    QFETCH(QString, json);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(QuestionsReport::Json(places)), json);
    QCOMPARE(QString::fromStdString(QuestionsReport::Text(places, expected)), text);
}

void TestQuestionsReport::commandLine()
{
    if (!QFile::exists(Checker()))
        QSKIP("zelvora-check is not built");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("prova.pdf"));
    WritePaper(pdf);

    Run r = Check({QStringLiteral("--questoes"), pdf, QStringLiteral("--json")});
    QCOMPARE(r.code, 0);
    const QJsonArray questions = QJsonDocument::fromJson(r.out).object().value(QStringLiteral("questions")).toArray();
    QCOMPARE(questions.size(), 4);
    for (int i = 0; i < 4; ++i) {
        const QJsonObject q = questions[i].toObject();
        QCOMPARE(q.keys(), (QStringList{QStringLiteral("number"), QStringLiteral("page"), QStringLiteral("y")}));
        QCOMPARE(q.value(QStringLiteral("number")).toInt(), i + 1);
        QCOMPARE(q.value(QStringLiteral("page")).toInt(), 0);
        const double y = q.value(QStringLiteral("y")).toDouble();
        QVERIFY2(y >= 100 + 150 * i && y <= 104 + 150 * i, r.out.constData());
    }

    // A key of three lines beside the paper: a fourth number is no question.
    QFile key(dir.filePath(QStringLiteral("prova.txt")));
    QVERIFY(key.open(QIODevice::WriteOnly));
    key.write("1\r\n2\r\n3\r\n");
    key.close();
    r = Check({QStringLiteral("--questoes"), pdf});
    QCOMPARE(r.code, 0);
    QVERIFY2(r.out.endsWith("3 questões encontradas de 3 do gabarito.\n"), r.out.constData());

    QFile notPdf(dir.filePath(QStringLiteral("x.pdf")));
    QVERIFY(notPdf.open(QIODevice::WriteOnly));
    notPdf.write("%PDF-1.4 nothing else");
    notPdf.close();
    QCOMPARE(Check({QStringLiteral("--questoes"), notPdf.fileName(), QStringLiteral("--json")}).code, 1);
    QCOMPARE(Check({QStringLiteral("--questoes"), pdf, QStringLiteral("--todas")}).code, 2);
}

QTEST_MAIN(TestQuestionsReport)
#include "tst_QuestionsReport.moc"

// zelvora-check --gabarito: what the key reader finds, as text and as JSON,
// and one clear line for a file it cannot read. Runs the built program.
#include "KeyPdfMaker.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class KeyCheckTest : public QObject {
    Q_OBJECT
private slots:
    void runs_data();
    void runs();
};

void KeyCheckTest::runs_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: no file at all
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QByteArray>("err"); // a piece of standard error

    KeyPage page;
    KeyPdfMaker::Lines(page, 40, 40,
                       {"CARGO 1: AGENTE DE POLÍCIA", "Item 1 2 3 4 5 6 7 8 9 10 11 12",
                        "Gabarito C E X C C E E C E E C C", "Obs.: ( X ) item anulado.", "CARGO 2: PERITO",
                        "01 - A 02 - NULA 03 - E"});
    const QByteArray pdf = KeyPdfMaker::Write({page});
    QTest::newRow("json") << pdf << QStringList{"--json"} << 0
                          << QByteArray("{\"sections\": [{\"title\": \"CARGO 1: AGENTE DE POLÍCIA\", \"answers\": "
                                        "[\"C\", \"E\", \"X\", \"C\", \"C\", \"E\", \"E\", \"C\", \"E\", \"E\", "
                                        "\"C\", \"C\"], \"annulled\": [3]}, {\"title\": \"CARGO 2: PERITO\", "
                                        "\"answers\": [\"A\", \"X\", \"E\"], \"annulled\": [2]}]}\n")
                          << QByteArray();
    QTest::newRow("text") << pdf << QStringList() << 0
                          << QByteArray("CARGO 1: AGENTE DE POLÍCIA\n  12 questões, certo ou errado\n"
                                        "  1-C 2-E 3-X 4-C 5-C 6-E 7-E 8-C 9-E 10-E 11-C 12-C\n  anuladas: 3\n"
                                        "CARGO 2: PERITO\n  3 questões, opções de A a E\n  1-A 2-X 3-E\n"
                                        "  anuladas: 2\n")
                          << QByteArray();
    QTest::newRow("a copied key in a text file") << QByteArray("1-a 2-b\r\n3-c") << QStringList{"--json"} << 0
                                                 << QByteArray("{\"sections\": [{\"title\": \"\", \"answers\": "
                                                               "[\"A\", \"B\", \"C\"], \"annulled\": []}]}\n")
                                                 << QByteArray();
    QTest::newRow("no such file") << QByteArray() << QStringList{"--json"} << 1 << QByteArray()
                                  << QByteArray("o arquivo não existe.\n");
    QTest::newRow("broken PDF") << QByteArray("%PDF-1.4\n") + QByteArray(500, 'x') << QStringList() << 1 << QByteArray()
                                << QByteArray("não é um PDF");
    QTest::newRow("a gap") << QByteArray("1-A 2-B 4-D") << QStringList() << 1 << QByteArray()
                           << QByteArray("falta a questão 3");
}

void KeyCheckTest::runs()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, options);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gabarito.pdf"));
    if (!file.isEmpty()) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(file);
    }
    QProcess check;
    check.start(QStringLiteral(ZELVORA_BINARY_DIR "/bin/zelvora-check"),
                QStringList{QStringLiteral("--gabarito"), path} + options);
    QVERIFY(check.waitForFinished(60000));
    QCOMPARE(check.exitCode(), status);
    QCOMPARE(check.readAllStandardOutput(), out);
    const QByteArray errors = check.readAllStandardError();
    QVERIFY2(errors.contains(err), errors.constData());
    // A refusal is one line.
    QCOMPARE(errors.count('\n'), status == 0 ? 0 : 1);
}

QTEST_MAIN(KeyCheckTest)
#include "tst_KeyCheck.moc"

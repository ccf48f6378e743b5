// --help and --version: which argument asks for them, and that every program
// answers them with exit status 0 on a machine without any display.
#include "app/InfoOptions.h"

#include <QFileInfo>
#include <QProcess>
#include <QTest>

#include <vector>

using zelvora::app::FindInfoOption;
using zelvora::app::InfoOption;

Q_DECLARE_METATYPE(InfoOption)

class InfoOptionsTest : public QObject {
    Q_OBJECT
private slots:
    void option_data();
    void option();
    void answeredWithoutDisplay_data();
    void answeredWithoutDisplay();
};

void InfoOptionsTest::option_data()
{
    QTest::addColumn<QStringList>("arguments"); // after the program name
    QTest::addColumn<InfoOption>("expected");

    QTest::newRow("nothing") << QStringList{} << InfoOption::None;
    QTest::newRow("long help") << QStringList{"--help"} << InfoOption::Help;
    QTest::newRow("short help") << QStringList{"-h"} << InfoOption::Help;
    QTest::newRow("version") << QStringList{"--version"} << InfoOption::Version;
    QTest::newRow("after other arguments") << QStringList{"-v", "a.zip", "--version"} << InfoOption::Version;
    QTest::newRow("the first one wins") << QStringList{"--version", "--help"} << InfoOption::Version;
    QTest::newRow("after -- it is a file name") << QStringList{"--", "--help"} << InfoOption::None;
    QTest::newRow("prefixes do not count") << QStringList{"--helpme", "-hv", "--versions"} << InfoOption::None;
}

void InfoOptionsTest::option()
{
    QFETCH(QStringList, arguments);
    QFETCH(InfoOption, expected);
    std::vector<QByteArray> bytes{"zelvora"};
    for (const auto& a : arguments)
        bytes.push_back(a.toUtf8());
    std::vector<const char*> argv;
    for (const auto& b : bytes)
        argv.push_back(b.constData());
    QCOMPARE(FindInfoOption(int(argv.size()), argv.data()), expected);
}

void InfoOptionsTest::answeredWithoutDisplay_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("startsWith");

    for (const char* program : {"zelvora", "zelvora-unzip", "zelvora-check"})
        QTest::addRow("%s --version", program)
            << program << "--version" << QStringLiteral("%1 %2\n").arg(program, ZELVORA_VERSION);
    QTest::newRow("zelvora --help") << "zelvora"
                                    << "--help"
                                    << "Uso: zelvora [";
    QTest::newRow("zelvora-unzip --help") << "zelvora-unzip"
                                          << "--help"
                                          << "usage: zelvora-unzip [";
    QTest::newRow("zelvora-check --help") << "zelvora-check"
                                          << "--help"
                                          << "Uso: zelvora-check [";
}

void InfoOptionsTest::answeredWithoutDisplay()
{
    QFETCH(QString, program);
    QFETCH(QString, option);
    QFETCH(QString, startsWith);
    const QString path = QStringLiteral(ZELVORA_BINARY_DIR "/bin/") + program;
    if (!QFileInfo(path).isExecutable())
        QSKIP("the program is not built here");

    // No display of any kind: a program that made its window system
    // connection first would fail here.
    auto env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(name);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(path, {option});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), 0);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(out.startsWith(startsWith), qPrintable(out));
    if (option == "--version")
        QCOMPARE(out.count('\n'), 1);
}

QTEST_APPLESS_MAIN(InfoOptionsTest)
#include "tst_InfoOptions.moc"

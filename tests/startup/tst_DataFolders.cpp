// Where the program looks for its content, from the executable's path.
#include "app/DataFolders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using zelvora::app::ComputeDataFolders;
using zelvora::app::InstalledDataFolderCandidates;

class DataFoldersTest : public QObject {
    Q_OBJECT
private slots:
    void folders_data();
    void folders();
    void candidates_data();
    void candidates();
    void firstExistingCandidate_data();
    void firstExistingCandidate();
};

void DataFoldersTest::folders_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("dataFolder");

    QTest::newRow("installed") << "/opt/zelvora/bin/zelvora" << "/opt/zelvora/bin/dados/";
    QTest::newRow("root folder, no doubled separator") << "/zelvora" << "/dados/";
    QTest::newRow("name with a dot") << "/home/ana/prov.as/zelvora.bin" << "/home/ana/prov.as/dados/";
    QTest::newRow("accents and blanks") << "/home/joão/Meus Concursos/zelvora"
                                        << "/home/joão/Meus Concursos/dados/";
    QTest::newRow("backslash is not a separator here") << "/srv/a\\b/zelvora" << "/srv/a\\b/dados/";
}

void DataFoldersTest::folders()
{
    QFETCH(QString, executable);
    QFETCH(QString, dataFolder);
    const auto f = ComputeDataFolders(executable.toStdString());
    QCOMPARE(QString::fromStdString(f.dataFolder), dataFolder);
    QCOMPARE(QString::fromStdString(f.mockExamFolder), dataFolder + "simu/");
}

void DataFoldersTest::candidates_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QStringList>("folders");

    QTest::newRow("program in bin") << "/usr/bin/zelvora"
                                    << QStringList{"/usr/bin/dados/", "/usr/share/zelvora/dados/",
                                                   "/share/zelvora/dados/"};
    QTest::newRow("program in lib/zelvora") << "/usr/lib/zelvora/zelvora"
                                            << QStringList{"/usr/lib/zelvora/dados/", "/usr/lib/share/zelvora/dados/",
                                                           "/usr/share/zelvora/dados/"};
    QTest::newRow("user prefix") << "/home/joão/.local/bin/zelvora"
                                 << QStringList{"/home/joão/.local/bin/dados/",
                                                "/home/joão/.local/share/zelvora/dados/",
                                                "/home/joão/share/zelvora/dados/"};
    QTest::newRow("one level below the root") << "/bin/zelvora"
                                              << QStringList{"/bin/dados/", "/share/zelvora/dados/"};
    QTest::newRow("root folder has no parent") << "/zelvora" << QStringList{"/dados/"};
}

void DataFoldersTest::candidates()
{
    QFETCH(QString, executable);
    QFETCH(QStringList, folders);
    QStringList got;
    for (const auto& c : InstalledDataFolderCandidates(executable.toStdString()))
        got << QString::fromStdString(c);
    QCOMPARE(got, folders);
}

void DataFoldersTest::firstExistingCandidate_data()
{
    QTest::addColumn<QStringList>("folders");  // made under a scratch prefix
    QTest::addColumn<QStringList>("files");    // empty files made there
    QTest::addColumn<QString>("executable");   // relative to the prefix
    QTest::addColumn<QString>("dataFolder");   // relative to the prefix

    QTest::newRow("beside the program wins")
        << QStringList{"bin/dados", "share/zelvora/dados"} << QStringList{} << "bin/zelvora" << "bin/dados/";
    QTest::newRow("package folder of a program in bin")
        << QStringList{"share/zelvora/dados/simu"} << QStringList{} << "bin/zelvora" << "share/zelvora/dados/";
    QTest::newRow("package folder of a program in lib/zelvora")
        << QStringList{"lib/zelvora", "share/zelvora/dados"} << QStringList{} << "lib/zelvora/zelvora"
        << "share/zelvora/dados/";
    QTest::newRow("nothing anywhere: beside the program")
        << QStringList{"bin"} << QStringList{} << "bin/zelvora" << "bin/dados/";
    QTest::newRow("a file named dados is no folder")
        << QStringList{"bin", "share/zelvora/dados"} << QStringList{"bin/dados"} << "bin/zelvora"
        << "share/zelvora/dados/";
}

void DataFoldersTest::firstExistingCandidate()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(QString, executable);
    QFETCH(QString, dataFolder);
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    for (const auto& folder : folders)
        QVERIFY(QDir(prefix.path()).mkpath(folder));
    for (const auto& name : files) {
        QFile file(prefix.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const auto f = ComputeDataFolders(prefix.filePath(executable).toStdString());
    QCOMPARE(QString::fromStdString(f.dataFolder), prefix.path() + "/" + dataFolder);
    QCOMPARE(QString::fromStdString(f.mockExamFolder), prefix.path() + "/" + dataFolder + "simu/");
}

QTEST_APPLESS_MAIN(DataFoldersTest)
#include "tst_DataFolders.moc"

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
    void choice_data();
    void choice();
    void fixedFolder_data();
    void fixedFolder();
};

void DataFoldersTest::folders_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("dataFolder");

    QTest::newRow("installed") << "/opt/zelvora/bin/zelvora"
                               << "/opt/zelvora/bin/dados/";
    QTest::newRow("root folder, no doubled separator") << "/zelvora"
                                                       << "/dados/";
    QTest::newRow("name with a dot") << "/home/ana/prov.as/zelvora.bin"
                                     << "/home/ana/prov.as/dados/";
    QTest::newRow("accents and blanks") << "/home/joão/Meus Concursos/zelvora"
                                        << "/home/joão/Meus Concursos/dados/";
    QTest::newRow("backslash is not a separator here") << "/srv/a\\b/zelvora"
                                                       << "/srv/a\\b/dados/";
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
    QTest::newRow("program in lib/zelvora")
        << "/usr/lib/zelvora/zelvora"
        << QStringList{"/usr/lib/zelvora/dados/", "/usr/lib/share/zelvora/dados/", "/usr/share/zelvora/dados/"};
    QTest::newRow("user prefix") << "/home/joão/.local/bin/zelvora"
                                 << QStringList{"/home/joão/.local/bin/dados/",
                                                "/home/joão/.local/share/zelvora/dados/",
                                                "/home/joão/share/zelvora/dados/"};
    QTest::newRow("one level below the root") << "/bin/zelvora" << QStringList{"/bin/dados/", "/share/zelvora/dados/"};
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
    QTest::addColumn<QStringList>("folders"); // made under a scratch prefix
    QTest::addColumn<QStringList>("files"); // empty files made there
    QTest::addColumn<QString>("executable"); // relative to the prefix
    QTest::addColumn<QString>("dataFolder"); // relative to the prefix

    QTest::newRow("beside the program wins")
        << QStringList{"bin/dados", "share/zelvora/dados"} << QStringList{} << "bin/zelvora"
        << "bin/dados/";
    QTest::newRow("package folder of a program in bin")
        << QStringList{"share/zelvora/dados/simu"} << QStringList{} << "bin/zelvora"
        << "share/zelvora/dados/";
    QTest::newRow("package folder of a program in lib/zelvora")
        << QStringList{"lib/zelvora", "share/zelvora/dados"} << QStringList{} << "lib/zelvora/zelvora"
        << "share/zelvora/dados/";
    QTest::newRow("nothing anywhere: beside the program") << QStringList{"bin"} << QStringList{} << "bin/zelvora"
                                                          << "bin/dados/";
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

// Which folders are read. existing: the folders on disk; sources: the
// folders read, "*" marking the user's; lookedAt: all that were tried.
void DataFoldersTest::choice_data()
{
    QTest::addColumn<QString>("executable");
    QTest::addColumn<QString>("fixed");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QStringList>("sources");
    QTest::addColumn<int>("lookedAt");

    const QString home = "/h/.local/share/zelvora/dados/";
    const QString bin = "/opt/z/bin/zelvora";
    QTest::newRow("user's first, then beside the program")
        << bin << "" << QStringList{home, "/opt/z/bin/dados/"} << QStringList{"*" + home, "/opt/z/bin/dados/"} << 2;
    QTest::newRow("user's folder not made yet still listed")
        << bin << "" << QStringList{"/opt/z/bin/dados/"} << QStringList{"*" + home, "/opt/z/bin/dados/"} << 2;
    QTest::newRow("package folder under the prefix") << bin << "" << QStringList{"/opt/z/share/zelvora/dados/"}
                                                     << QStringList{"*" + home, "/opt/z/share/zelvora/dados/"} << 3;
    QTest::newRow("beside the program wins over the prefix")
        << bin << "" << QStringList{"/opt/z/bin/dados/", "/opt/z/share/zelvora/dados/"}
        << QStringList{"*" + home, "/opt/z/bin/dados/"} << 2;
    QTest::newRow("package's program in lib, data in share")
        << "/usr/lib/zelvora/zelvora"
        << "" << QStringList{"/usr/share/zelvora/dados/"} << QStringList{"*" + home, "/usr/share/zelvora/dados/"} << 4;
    QTest::newRow("only the user's") << bin << "" << QStringList{home} << QStringList{"*" + home} << 4;
    QTest::newRow("nothing at all") << bin << "" << QStringList{} << QStringList{} << 4;
    QTest::newRow("fixed folder alone") << bin << "/mnt/provas"
                                        << QStringList{home, "/opt/z/bin/dados/", "/mnt/provas/"}
                                        << QStringList{"/mnt/provas/"} << 1;
    QTest::newRow("fixed folder missing: nothing else tried")
        << bin << "/mnt/provas" << QStringList{home, "/opt/z/bin/dados/"} << QStringList{} << 1;
}

void DataFoldersTest::choice()
{
    QFETCH(QString, executable);
    QFETCH(QString, fixed);
    QFETCH(QStringList, existing);
    QFETCH(QStringList, sources);
    QFETCH(int, lookedAt);
    zelvora::app::DataSourceRequest request;
    request.fixedFolder = fixed.toStdString();
    request.userFolder = "/h/.local/share/zelvora/dados";
    request.installedFolders = zelvora::app::InstalledDataFolderCandidates(executable.toStdString());
    const auto choice = zelvora::app::ChooseDataSources(
        request, [&](const std::string& f) { return existing.contains(QString::fromStdString(f)); });
    QStringList got;
    for (const auto& s : choice.sources)
        got << (s.user ? "*" : "") + QString::fromStdString(s.folder);
    QCOMPARE(got, sources);
    QCOMPARE(int(choice.lookedAt.size()), lookedAt);
    QCOMPARE(choice.found(), !sources.isEmpty());
}

void DataFoldersTest::fixedFolder_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("environment");
    QTest::addColumn<QString>("folder");

    QTest::newRow("option with a separate value") << QStringList{"--dados", "/a"} << ""
                                                  << "/a";
    QTest::newRow("option with =") << QStringList{"-x", "--dados=/b c"} << ""
                                   << "/b c";
    QTest::newRow("option beats environment") << QStringList{"--dados", "/a"} << "/e"
                                              << "/a";
    QTest::newRow("environment alone") << QStringList{} << "/e"
                                       << "/e";
    QTest::newRow("option without value") << QStringList{"--dados"} << ""
                                          << "";
    QTest::newRow("neither") << QStringList{"--outra"} << ""
                             << "";
}

void DataFoldersTest::fixedFolder()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, environment);
    QFETCH(QString, folder);
    std::vector<std::string> args;
    for (const auto& a : arguments)
        args.push_back(a.toStdString());
    QCOMPARE(QString::fromStdString(zelvora::app::FixedFolderFrom(args, environment.toStdString())), folder);
}

QTEST_APPLESS_MAIN(DataFoldersTest)
#include "tst_DataFolders.moc"

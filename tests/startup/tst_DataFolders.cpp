// Where the program looks for its content, from the executable's path.
#include "app/DataFolders.h"

#include <QTest>

using zelvora::app::ComputeDataFolders;

class DataFoldersTest : public QObject {
    Q_OBJECT
private slots:
    void folders_data();
    void folders();
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

QTEST_APPLESS_MAIN(DataFoldersTest)
#include "tst_DataFolders.moc"

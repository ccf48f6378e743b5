// "Exportar meus dados" and "Importar meus dados": a round trip to another
// computer brings the material and the attempts; an import merges, never
// duplicates, and refuses what is not the program's archive.
#include "attempts/AttemptStore.h"
#include "attempts/UserDataArchive.h"
#include "zipwriter/ZipWriter.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora::attempts;
using Error = UserDataArchive::Error;

namespace {

const PaperIdentity Paper{QStringLiteral("/home/u/.local/share/zelvora/dados/simu/p.pdf"),
                          QStringLiteral("/home/u/.local/share/zelvora/dados/"), QStringLiteral("k1")};

QDateTime At(int minute)
{
    return QDateTime(QDate(2026, 3, 1), QTime(9, minute), Qt::UTC);
}

void Write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

// One user's folder: material of their own and a store with attempts.
struct Home {
    QTemporaryDir dir;
    int minute = 0;
    AttemptStore store{dir.filePath(QStringLiteral("attempts.sqlite")), [this] { return At(minute); }};
    Home() { store.open(); }
    QString folder() const { return dir.path(); }
    qint64 attempt(int startMinute, std::vector<std::string> answers, bool finished)
    {
        minute = startMinute;
        const qint64 id = store.begin(Paper, QStringLiteral("Prova"), int(answers.size())).value();
        for (size_t q = 0; q < answers.size(); ++q)
            if (answers[q] != "#")
                store.recordAnswer(id, int(q), answers[q], int(q), 1);
        if (finished)
            store.finish(id, 300, 1);
        return id;
    }
};

} // namespace

class TestUserDataArchive : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void roundTripToAnotherComputer();
    void refusesWhatIsNotItsArchive_data();
    void refusesWhatIsNotItsArchive();
};

void TestUserDataArchive::roundTripToAnotherComputer()
{
    Home old;
    Write(old.dir.filePath(QStringLiteral("dados/simu/lista.txt")), "Minha prova#minha.pdf\r\n");
    Write(old.dir.filePath(QStringLiteral("dados/simu/minha.pdf")), QByteArray(70000, '\x25'));
    Write(old.dir.filePath(QStringLiteral("dados/simu/minha.txt")), "1\r\n2\r\n3\r\n");
    old.attempt(1, {"1", "#", "3"}, true);
    old.attempt(5, {"#", "2", "#"}, false); // interrupted, still open in the store
    QTemporaryDir out;
    const QString zip = out.filePath(QStringLiteral("meus-dados.zip"));
    const auto written = UserDataArchive::Write(old.store, old.folder(), zip);
    QVERIFY2(written, written.detail().c_str());

    // The new computer already has one of the attempts (imported before)
    // and a list of its own.
    Home fresh;
    Write(fresh.dir.filePath(QStringLiteral("dados/simu/lista.txt")), "Outra#outra.pdf\r\n");
    fresh.attempt(1, {"1", "#", "3"}, true);
    fresh.attempt(30, {"5", "5", "5"}, true);
    const auto read = UserDataArchive::Read(zip, fresh.folder(), fresh.store);
    QVERIFY2(read, read.detail().c_str());
    QCOMPARE(read.value().filesRestored, 2);
    QCOMPARE(read.value().filesKept, 1);
    QCOMPARE(read.value().attemptsAdded, 1);
    QCOMPARE(read.value().attemptsKnown, 1);
    QCOMPARE(Read(fresh.dir.filePath(QStringLiteral("dados/simu/minha.pdf"))), QByteArray(70000, '\x25'));
    QCOMPARE(Read(fresh.dir.filePath(QStringLiteral("dados/simu/lista.txt"))), QByteArray("Outra#outra.pdf\r\n"));

    const auto all = fresh.store.summaries().value();
    QCOMPARE(int(all.size()), 3);
    const Attempt& carried = all[1]; // newest first: 09:30, 09:05, 09:01
    QCOMPARE(carried.startedAt, At(5));
    QVERIFY(!carried.finished);
    QCOMPARE(fresh.store.load(carried.id).value()->answers, (std::vector<std::string>{"#", "2", "#"}));
    QCOMPARE(fresh.store.findInterrupted(Paper).value()->id, carried.id);

    // A second import of the same archive adds nothing.
    const auto again = UserDataArchive::Read(zip, fresh.folder(), fresh.store);
    QVERIFY(again);
    QCOMPARE(again.value().attemptsAdded, 0);
    QCOMPARE(again.value().filesRestored, 0);
    QCOMPARE(int(fresh.store.summaries().value().size()), 3);
}

void TestUserDataArchive::refusesWhatIsNotItsArchive_data()
{
    QTest::addColumn<QByteArray>("archive");
    QTest::addColumn<Error>("error");
    QTest::newRow("not a zip") << QByteArray("PK nada disso\n").repeated(50) << Error::NotAnArchive;
    zelvora::zipwriter::ZipWriter other;
    other.addFile("foto.jpg", std::string(100, 'x'));
    QTest::newRow("someone else's zip") << QByteArray::fromStdString(other.finish()) << Error::NotOurs;
    zelvora::zipwriter::ZipWriter broken;
    broken.addFile(UserDataArchive::MarkerName, "Zelvora: dados do usuario\r\nformato 1\r\n");
    broken.addFile("attempts.sqlite", std::string(8192, '\xA5'));
    QTest::newRow("our marker, damaged store")
        << QByteArray::fromStdString(broken.finish()) << Error::StoreInArchiveUnreadable;
}

void TestUserDataArchive::refusesWhatIsNotItsArchive()
{
    QFETCH(QByteArray, archive);
    QFETCH(Error, error);
    Home home;
    home.attempt(1, {"1"}, true);
    QTemporaryDir out;
    const QString zip = out.filePath(QStringLiteral("a.zip"));
    Write(zip, archive);
    const auto read = UserDataArchive::Read(zip, home.folder(), home.store);
    QVERIFY(!read);
    QCOMPARE(read.code(), error);
    QCOMPARE(int(home.store.summaries().value().size()), 1); // nothing changed
    QVERIFY(!QFile::exists(home.dir.filePath(QStringLiteral("foto.jpg"))));
}

QTEST_GUILESS_MAIN(TestUserDataArchive)
#include "tst_UserDataArchive.moc"

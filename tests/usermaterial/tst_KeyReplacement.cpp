// A paper's key replaced by the board's final one: the files written (the
// old key and info kept), what changed, and every kept attempt scored again,
// still one series in the history. No window.
#include "attempts/AttemptStore.h"
#include "attempts/HistoryModel.h"
#include "attempts/KeyRevisions.h"
#include "attempts/PaperSeries.h"
#include "mockexam/PaperInfoReader.h"
#include "usermaterial/KeyReplacement.h"
#include "usermaterial/KeyUpdate.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora;
using usermaterial::KeyReplacement;

namespace {

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// "ABXD" -> a section; "X" annulled.
mockexam::KeySection Section(const QString& letters, bool rightWrong = false)
{
    mockexam::KeySection s;
    s.rightWrong = rightWrong;
    for (qsizetype i = 0; i < letters.size(); ++i) {
        s.answers.push_back(QString(letters[i]).toStdString());
        if (letters[i] == QLatin1Char('X'))
            s.annulled.push_back(int(i + 1));
    }
    return s;
}

// "ABCD" -> "1\r\n2\r\n3\r\n4\r\n".
QByteArray KeyBytes(const QString& letters)
{
    QByteArray out;
    for (const QChar c : letters)
        out += QByteArray(1, char('1' + (c.toLatin1() - 'A'))) + "\r\n";
    return out;
}

QString Numbers(const std::vector<int>& n)
{
    QStringList out;
    for (const int i : n)
        out << QString::number(i);
    return out.join(',');
}

// The new key written and, with a store, the paper's attempts scored again,
// as "Atualizar gabarito" does.
zelvora::ResultOf<std::vector<attempts::Rescored>, attempts::RevisionCode> Apply(const usermaterial::KeyTarget& target,
                                                                                 const mockexam::KeySection& next,
                                                                                 const QString& storePath)
{
    using Outcome = zelvora::ResultOf<std::vector<attempts::Rescored>, attempts::RevisionCode>;
    const auto written = KeyReplacement::Write(target, next);
    if (!written)
        return Outcome::Fail(attempts::RevisionCode::WriteFailed, written.detail());
    if (storePath.isEmpty())
        return std::vector<attempts::Rescored>{};
    attempts::KeyRevisions revisions(storePath);
    return revisions.rescore({target.pdfPath, target.dataFolder, {}},
                             attempts::PaperIdentity::HashKey(written->keyBytes), written->lines, written->info);
}

} // namespace

class KeyReplacementTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void changes_data();
    void changes();
    void rescores_data();
    void rescores();
    void installedPaperKeyGoesToUserFolder();
    void secondUpdateKeepsBothOldKeys();
};

void KeyReplacementTest::changes_data()
{
    QTest::addColumn<QString>("oldKey");
    QTest::addColumn<QString>("oldAnnulled");
    QTest::addColumn<QString>("next");
    QTest::addColumn<QString>("changed");
    QTest::addColumn<QString>("annulled");
    QTest::addColumn<QString>("restored");

    QTest::newRow("one answer changed") << "ABCD"
                                        << ""
                                        << "ABED"
                                        << "3"
                                        << ""
                                        << "";
    QTest::newRow("one question annulled") << "ABCD"
                                           << ""
                                           << "ABCX"
                                           << ""
                                           << "4"
                                           << "";
    QTest::newRow("no longer annulled") << "ABCD"
                                        << "2"
                                        << "ABCD"
                                        << ""
                                        << ""
                                        << "2";
    QTest::newRow("still annulled, letter irrelevant") << "ABCD"
                                                       << "2"
                                                       << "AXCD"
                                                       << ""
                                                       << ""
                                                       << "";
    QTest::newRow("all at once") << "ABCDE"
                                 << "5"
                                 << "EBXDA"
                                 << "1"
                                 << "3"
                                 << "5";
}

void KeyReplacementTest::changes()
{
    QFETCH(QString, oldKey);
    QFETCH(QString, oldAnnulled);
    QFETCH(QString, next);
    QFETCH(QString, changed);
    QFETCH(QString, annulled);
    QFETCH(QString, restored);
    std::vector<std::string> key;
    for (const QChar c : oldKey)
        key.push_back(std::string(1, char('1' + (c.toLatin1() - 'A'))));
    const auto info =
        mockexam::PaperInfoReader::Parse({oldAnnulled.isEmpty() ? "" : "anuladas=" + oldAnnulled.toStdString()}).info;
    const auto c = usermaterial::KeyUpdate::Compare(key, info, Section(next));
    QCOMPARE(Numbers(c.changed), changed);
    QCOMPARE(Numbers(c.annulled), annulled);
    QCOMPARE(Numbers(c.restored), restored);
}

// Two attempts at a paper of the user's own folder, scored under the old key
// and then under the new one.
void KeyReplacementTest::rescores_data()
{
    QTest::addColumn<QString>("oldKey");
    QTest::addColumn<QByteArray>("oldInfo");
    QTest::addColumn<QStringList>("answers"); // per attempt, "#" for blank
    QTest::addColumn<QString>("next");
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QList<int>>("after");
    QTest::addColumn<QByteArray>("newInfo");

    QTest::newRow("answer changed") << "ABCD" << QByteArray() << QStringList{"ABCC", "ABCD"} << "ABCC"
                                    << QList<int>{3, 4} << QList<int>{4, 3} << QByteArray();
    QTest::newRow("question annulled") << "ABCD" << QByteArray() << QStringList{"ABEE", "####"} << "ABXD"
                                       << QList<int>{2, 0} << QList<int>{3, 1}
                                       << QByteArray("tipo=multipla\r\npontuacao=simples\r\nanuladas=3\r\n");
    QTest::newRow("annulment lifted, other lines kept")
        << "ABCD" << QByteArray("duracao=1:00\r\nanuladas=3\r\n") << QStringList{"ABED"} << "ABCD" << QList<int>{4}
        << QList<int>{3} << QByteArray("duracao=1:00\r\ntipo=multipla\r\npontuacao=simples\r\n");
}

void KeyReplacementTest::rescores()
{
    QFETCH(QString, oldKey);
    QFETCH(QByteArray, oldInfo);
    QFETCH(QStringList, answers);
    QFETCH(QString, next);
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, after);
    QFETCH(QByteArray, newInfo);

    QTemporaryDir dir;
    const QString user = dir.filePath("dados/");
    const QString pdf = user + "simu/p.pdf";
    QVERIFY(Write(pdf, "%PDF-1.4"));
    QVERIFY(Write(user + "simu/p.txt", KeyBytes(oldKey)));
    if (!oldInfo.isEmpty())
        QVERIFY(Write(user + "simu/p.ini", oldInfo));

    const QString storePath = dir.filePath("attempts.sqlite");
    attempts::AttemptStore store(storePath);
    QVERIFY(store.open());
    const attempts::PaperIdentity oldPaper{pdf, user, attempts::PaperIdentity::HashKey(KeyBytes(oldKey))};
    for (const QString& given : answers) {
        const auto id = store.begin(oldPaper, "P", int(oldKey.size()));
        QVERIFY(id);
        for (qsizetype q = 0; q < given.size(); ++q)
            if (given[q] != '#') {
                QVERIFY(store.recordAnswer(*id, int(q), std::string(1, char('1' + (given[q].toLatin1() - 'A'))), int(q),
                                           0));
            }
        QVERIFY(store.finish(*id, 60, before[answers.indexOf(given)]));
    }

    const auto target = KeyReplacement::For(pdf, user, user);
    QCOMPARE(target.files.newKey, user + "simu/p.txt");
    const auto done = Apply(target, Section(next), storePath);
    QVERIFY2(done.ok(), done.detail().c_str());
    QCOMPARE(int(done->size()), answers.size());
    for (int i = 0; i < answers.size(); ++i) {
        QCOMPARE(done.value()[size_t(i)].hitsBefore, before[i]);
        QCOMPARE(done.value()[size_t(i)].hitsAfter, after[i]);
    }

    // Nothing lost: the old key and info beside the new ones.
    QCOMPARE(Read(user + "simu/p.gabarito-1.txt"), KeyBytes(oldKey));
    QCOMPARE(Read(user + "simu/p.gabarito-1.ini"), oldInfo);
    QCOMPARE(QFileInfo::exists(user + "simu/p.gabarito-1.ini"), !oldInfo.isEmpty());
    QByteArray expectedKey;
    for (const auto& l : Section(next).keyLines())
        expectedKey += QByteArray::fromStdString(l) + "\r\n";
    QCOMPARE(Read(user + "simu/p.txt"), expectedKey);
    QCOMPARE(Read(user + "simu/p.ini"), newInfo);

    // One series under the new key, scores as re-scored, the old ones shown.
    const attempts::PaperIdentity newPaper{pdf, user, attempts::PaperIdentity::HashKey(expectedKey)};
    const auto all = store.summaries().value();
    QCOMPARE(int(attempts::PaperSeries::For(all, newPaper).percentages.size()), answers.size());
    if (expectedKey != KeyBytes(oldKey))
        QVERIFY(attempts::PaperSeries::For(all, oldPaper).empty());
    attempts::HistoryModel model;
    model.reload(store);
    for (size_t i = 0; i < done->size(); ++i) {
        const int row = model.rowOf(done.value()[i].attemptId);
        QVERIFY(row >= 0);
        QCOMPARE(model.attempt(row).hits, after[int(i)]);
        QCOMPARE(model.data(model.index(row, attempts::HistoryModel::Hits)).toString(),
                 QStringLiteral("%1 de %2 (antes %3 de %4)")
                     .arg(after[int(i)])
                     .arg(next.size())
                     .arg(before[int(i)])
                     .arg(oldKey.size()));
    }
}

void KeyReplacementTest::installedPaperKeyGoesToUserFolder()
{
    QTemporaryDir dir;
    const QString installed = dir.filePath("share/dados/");
    const QString user = dir.filePath("home/dados/");
    const QString pdf = installed + "simu/2008/p.pdf";
    QVERIFY(Write(pdf, "%PDF-1.4"));
    QVERIFY(Write(installed + "simu/2008/p.txt", KeyBytes("ABC")));
    QVERIFY(Write(installed + "simu/2008/p.ini", "duracao=0:30\r\n"));
    QFile::setPermissions(installed + "simu/2008", QFile::ReadOwner | QFile::ExeOwner);

    const auto target = KeyReplacement::For(pdf, installed, user);
    QVERIFY(target.files.newKey.startsWith(user + "simu/atualizados/"));
    QCOMPARE(target.files.key, installed + "simu/2008/p.txt");
    QVERIFY(Apply(target, Section("AXC"), QString()).ok());
    QCOMPARE(Read(installed + "simu/2008/p.txt"), KeyBytes("ABC"));
    QCOMPARE(Read(target.files.newInfo),
             QByteArray("duracao=0:30\r\ntipo=multipla\r\npontuacao=simples\r\nanuladas=2\r\n"));

    // Read again, the paper's key is the user's one.
    const auto again = KeyReplacement::For(pdf, installed, user);
    QCOMPARE(again.files.key, target.files.newKey);
    QCOMPARE(KeyReplacement::CurrentKey(again), (std::vector<std::string>{"1", "X", "3"}));
    QVERIFY(KeyReplacement::CurrentInfo(again).isAnnulled(2));
    QFile::setPermissions(installed + "simu/2008", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void KeyReplacementTest::secondUpdateKeepsBothOldKeys()
{
    QTemporaryDir dir;
    const QString user = dir.filePath("dados/");
    const QString pdf = user + "simu/p.pdf";
    QVERIFY(Write(pdf, "%PDF-1.4"));
    QVERIFY(Write(user + "simu/p.txt", KeyBytes("AB")));
    const auto target = KeyReplacement::For(pdf, user, user);
    QVERIFY(Apply(target, Section("AC"), QString()).ok());
    QVERIFY(Apply(target, Section("EE", true), QString()).ok());
    QCOMPARE(Read(user + "simu/p.gabarito-1.txt"), KeyBytes("AB"));
    QCOMPARE(Read(user + "simu/p.gabarito-2.txt"), KeyBytes("AC"));
    QCOMPARE(Read(user + "simu/p.txt"), QByteArray("E\r\nE\r\n"));
    QCOMPARE(Read(user + "simu/p.ini"), QByteArray("tipo=certo-errado\r\npontuacao=simples\r\n"));
}

QTEST_GUILESS_MAIN(KeyReplacementTest)
#include "tst_KeyReplacement.moc"

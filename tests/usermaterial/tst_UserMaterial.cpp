// Adding and removing the user's own papers and exams: what lands on disk,
// what is refused, and that two writers at once lose nothing.
#include "catalog/Catalog.h"
#include "mockexam/AnswerKeyText.h"
#include "mockexam/MockExamList.h"
#include "text/DataFile.h"
#include "text/PtBrCollation.h"
#include "usermaterial/UserMaterial.h"
#include "zipwriter/ZipWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <unistd.h>

using zelvora::usermaterial::UserMaterial;

namespace {

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class UserMaterialTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void fieldChecks_data();
    void fieldChecks();
    void archiveCheck_data();
    void archiveCheck();
    void paperAddedAndRemoved();
    void examAddedAndRemoved();
    void onlyOwnMaterialIsRemoved();
    void twoWritersLoseNothing();
    void paperTheProgramCannotOpenIsRefused_data();
    void paperTheProgramCannotOpenIsRefused();
    void readOnlyFolderIsNotAnotherProgram();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_user, m_pdf, m_zip;
};

void UserMaterialTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_user = m_dir->filePath("home/zelvora/dados");
    m_pdf = m_dir->filePath("baixada.pdf");
    QVERIFY(Write(m_pdf, "%PDF-1.4 prova"));
    m_zip = m_dir->filePath("trt.zip");
    zelvora::zipwriter::ZipWriter zip;
    zip.addFolder("prova/");
    zip.addFile("prova/caderno.pdf", std::string(5000, 'x'));
    QVERIFY(zip.writeTo(m_zip.toStdString()));
}

void UserMaterialTest::fieldChecks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("refusal");

    QTest::newRow("accents and euro fit") << "Língua Portuguesa – 2010 €"
                                          << "";
    QTest::newRow("empty") << "  "
                           << "em branco";
    QTest::newRow("separator") << "A#B"
                               << "\"#\"";
    QTest::newRow("line break") << "A\nB"
                                << "quebras de linha";
    QTest::newRow("outside Windows-1252") << "Prova Ω"
                                          << "\"Ω\"";
    QTest::newRow("emoji") << "Prova 😀"
                           << "Windows-1252";
}

void UserMaterialTest::fieldChecks()
{
    QFETCH(QString, text);
    QFETCH(QString, refusal);
    const QString why = UserMaterial::CheckField(text, "O nome");
    QCOMPARE(why.isEmpty(), refusal.isEmpty());
    QVERIFY2(why.contains(refusal), qPrintable(why));
}

void UserMaterialTest::archiveCheck_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("ok");

    zelvora::zipwriter::ZipWriter onlyFolder;
    onlyFolder.addFolder("vazia/");
    QTest::newRow("only a folder") << QByteArray::fromStdString(onlyFolder.finish()) << false;
    QTest::newRow("not a zip") << QByteArray("%PDF-1.4 isto nao e zip") << false;
    QTest::newRow("empty file") << QByteArray() << false;
}

void UserMaterialTest::archiveCheck()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, ok);
    const QString path = m_dir->filePath("x.zip");
    QVERIFY(Write(path, bytes));
    const auto check = UserMaterial::CheckArchive(path);
    QCOMPARE(check.ok(), ok);
    QVERIFY(!check.error.isEmpty());
    QVERIFY(check.entries.isEmpty());

    const auto good = UserMaterial::CheckArchive(m_zip);
    QVERIFY2(good.ok(), qPrintable(good.error));
    QCOMPARE(good.entries, (QStringList{"prova/", "prova/caderno.pdf"}));
}

void UserMaterialTest::paperAddedAndRemoved()
{
    UserMaterial store(m_user);
    const auto first = store.addPaper(m_pdf, "Língua Portuguesa", {"1", "3", "5"});
    QVERIFY2(first.ok, qPrintable(first.message));
    const auto second = store.addPaper(m_pdf, "Língua Portuguesa", {"2"});
    QVERIFY(second.ok);

    const QString simu = store.mockExamFolder();
    QCOMPARE(
        Read(simu + "lista.txt"),
        QByteArray("L\xEDngua Portuguesa#Lingua-Portuguesa.pdf\r\nL\xEDngua Portuguesa#Lingua-Portuguesa-2.pdf\r\n"));
    QCOMPARE(Read(simu + "Lingua-Portuguesa.pdf"), Read(m_pdf));
    QCOMPARE(Read(simu + "Lingua-Portuguesa.txt"), QByteArray("1\r\n3\r\n5\r\n"));
    QCOMPARE(Read(simu + "Lingua-Portuguesa-2.txt"), QByteArray("2\r\n"));

    const auto refused = store.addPaper(m_pdf, "Prova Ω", {"1"});
    QVERIFY(!refused.ok);
    QVERIFY(!store.addPaper(m_pdf, "Prova", {"6"}).ok);

    const auto removed = store.removePaper({"L\xEDngua Portuguesa", "Lingua-Portuguesa.pdf"});
    QVERIFY2(removed.ok, qPrintable(removed.message));
    QCOMPARE(Read(simu + "lista.txt"), QByteArray("L\xEDngua Portuguesa#Lingua-Portuguesa-2.pdf\r\n"));
    QVERIFY(!QFile::exists(simu + "Lingua-Portuguesa.pdf"));
    QVERIFY(!QFile::exists(simu + "Lingua-Portuguesa.txt"));
    QVERIFY(QFile::exists(simu + "Lingua-Portuguesa-2.pdf"));
}

void UserMaterialTest::examAddedAndRemoved()
{
    UserMaterial store(m_user);
    const auto added = store.addExam(m_zip, "Fundação Carlos Chagas", "Técnico", "2010");
    QVERIFY2(added.ok, qPrintable(added.message));
    QVERIFY(!store.addExam(m_pdf, "FCC", "Técnico", "2010").ok);
    QVERIFY(!store.addExam(m_zip, "FCC", "", "2010").ok);

    const zelvora::text::PtBrCollation collation;
    const auto catalog = zelvora::catalog::Catalog::LoadSources({store.folder().toStdString()}, collation);
    QCOMPARE(catalog.size(), size_t(1));
    const auto entry = catalog.at(0);
    QCOMPARE(entry.organisation, std::string("Funda\xE7\xE3o Carlos Chagas"));
    QCOMPARE(Read(store.folder() + QString::fromStdString(entry.archiveName)), Read(m_zip));
    QVERIFY(Read(store.folder() + "nomes.txt").endsWith("\r\n"));

    QVERIFY(store.removeExam(entry).ok);
    QCOMPARE(Read(store.folder() + "nomes.txt"), QByteArray());
    QVERIFY(!QFile::exists(store.folder() + QString::fromStdString(entry.archiveName)));
}

void UserMaterialTest::onlyOwnMaterialIsRemoved()
{
    UserMaterial store(m_user);
    QVERIFY(store.addExam(m_zip, "FCC", "Analista", "2008").ok);
    // An entry of another folder, and a line crafted to reach outside.
    QVERIFY(!store.removeExam({"CESPE", "Agente", "2004", "a.zip"}).ok);
    QVERIFY(Write(m_dir->filePath("home/zelvora/fora.txt"), "x"));
    QVERIFY(QDir().mkpath(store.mockExamFolder()));
    QVERIFY(Write(store.mockExamFolder() + "lista.txt", "Fora#../../fora.pdf\r\n"));
    // Such a line is never offered, so it is not the user's to remove either.
    QVERIFY(!store.removePaper({"Fora", "../../fora.pdf"}).ok);
    QVERIFY(QFile::exists(m_dir->filePath("home/zelvora/fora.txt")));
    QCOMPARE(Read(store.folder() + "nomes.txt"), QByteArray("FCC#Analista#2008#FCC-Analista-2008.zip\r\n"));
}

void UserMaterialTest::twoWritersLoseNothing()
{
    constexpr int kEach = 12;
    auto writer = [this](const QString& prefix) {
        return QThread::create([this, prefix] {
            UserMaterial store(m_user);
            for (int i = 0; i < kEach; ++i)
                store.addPaper(m_pdf, prefix + QString::number(i), {"1"});
        });
    };
    std::unique_ptr<QThread> a(writer("A")), b(writer("B"));
    a->start();
    b->start();
    QVERIFY(a->wait());
    QVERIFY(b->wait());
    const auto list = zelvora::mockexam::MockExamList::Load(UserMaterial(m_user).mockExamFolder().toStdString());
    QVERIFY(list);
    QCOMPARE(int(list->size()), 2 * kEach);
    for (const auto& e : *list)
        QVERIFY(QFile::exists(UserMaterial(m_user).mockExamFolder() + QString::fromStdString(e.pdfPath)));
}

void UserMaterialTest::paperTheProgramCannotOpenIsRefused_data()
{
    QTest::addColumn<qint64>("pdfSize"); // a sparse file of that size; 0 keeps the fixture's PDF
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("message");
    const qint64 cap = qint64(zelvora::text::DataFile::PaperCap);
    const int max = int(zelvora::mockexam::AnswerKeyText::MaxQuestions);
    QTest::newRow("600 MB PDF") << qint64(600) * 1000 * 1000 << 3 << "passa de 512 MiB";
    QTest::newRow("one byte past the cap") << cap + 1 << 3 << "passa de 512 MiB";
    QTest::newRow("key past the limit") << qint64(0) << max + 1 << "até 1000 questões";
    QTest::newRow("400,000 answers") << qint64(0) << 400000 << "até 1000 questões";
}

void UserMaterialTest::paperTheProgramCannotOpenIsRefused()
{
    QFETCH(qint64, pdfSize);
    QFETCH(int, questions);
    QFETCH(QString, message);
    if (pdfSize > 0) {
        QFile f(m_pdf);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write("%PDF-1.4\n") > 0 && f.resize(pdfSize));
    }
    const auto outcome = UserMaterial(m_user).addPaper(m_pdf, "Grande",
                                                       std::vector<std::string>(size_t(questions), "1"));
    QVERIFY(!outcome.ok);
    QVERIFY2(outcome.message.contains(message), qPrintable(outcome.message));
    // Nothing copied, nothing listed.
    QVERIFY(QDir(UserMaterial(m_user).mockExamFolder()).entryList(QDir::Files).isEmpty());
}

// A folder the lock file cannot be made in is told as such, not as another
// program writing. Root is not stopped by permissions, so as root the folder
// is a read-only tmpfs; otherwise it loses its write permission.
void UserMaterialTest::readOnlyFolderIsNotAnotherProgram()
{
    UserMaterial store(m_user);
    QVERIFY(store.addPaper(m_pdf, "Antes", {"1"}).ok);
    QVERIFY(store.addExam(m_zip, "O", "T", "2001").ok);
    QVERIFY(QFile::remove(m_user + "/.zelvora.lock") || !QFile::exists(m_user + "/.zelvora.lock"));

    QString mounted;
    const auto cleanup = qScopeGuard([&] {
        if (!mounted.isEmpty())
            QProcess::execute("umount", {mounted});
        QFile::setPermissions(m_user, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
    if (geteuid() == 0) {
        // The folder's content moves onto a tmpfs mounted over it.
        const QString ro = m_dir->filePath("ro");
        QVERIFY(QDir().mkpath(ro));
        if (QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=4m", "tmpfs", ro}) != 0)
            QSKIP("running as root but cannot mount a tmpfs: no folder root cannot write");
        mounted = ro;
        QVERIFY(QProcess::execute("cp", {"-a", m_user + "/.", ro}) == 0);
        QVERIFY(QProcess::execute("mount", {"-o", "remount,ro", ro}) == 0);
        m_user = ro;
    } else {
        QVERIFY(QFile::setPermissions(m_user, QFile::ReadOwner | QFile::ExeOwner));
    }
    QVERIFY2(!QFile(m_user + "/probe").open(QIODevice::WriteOnly), "the folder is still writable");

    UserMaterial readOnly(m_user);
    const auto list = zelvora::mockexam::MockExamList::Load(readOnly.mockExamFolder().toStdString());
    QVERIFY(list && list->size() == 1);
    const zelvora::usermaterial::Outcome outcomes[] = {
        readOnly.addPaper(m_pdf, "Depois", {"1"}),
        readOnly.addExam(m_zip, "O2", "T", "2002"),
        readOnly.removePaper(list->front()),
        readOnly.removeExam({"O", "T", "2001", "O-T-2001.zip"}),
    };
    for (const auto& o : outcomes) {
        QVERIFY(!o.ok);
        QVERIFY2(o.message.startsWith("Não foi possível gravar na pasta"), qPrintable(o.message));
    }
}

QTEST_GUILESS_MAIN(UserMaterialTest)
#include "tst_UserMaterial.moc"

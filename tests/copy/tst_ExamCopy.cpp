// The exam copy driven through its real save dialog, offscreen: the name is
// typed into the dialog's file name box and confirmed with Return, as a user
// would, and the copied files are compared byte for byte.
#include "app/AppContext.h"
#include "catalog/ExamCopy.h"
#include "catalog/ExamCopyDialog.h"
#include "catalog/ExamExtraction.h"
#include "support/RecordingMessages.h"
#include "zipwriter/ZipWriter.h"

#include <QComboBox>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

using namespace zelvora;
using gui::ExamCopyDialog;
using zipwriter::ZipWriter;

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Every file under a folder with its bytes' hash: the data folder before and
// after a copy must be the same.
QMap<QString, QByteArray> Snapshot(const QString& folder)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        out.insert(p, QCryptographicHash::hash(ReadAll(p), QCryptographicHash::Sha256));
    }
    return out;
}

QStringList FilesIn(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    return names;
}

const QByteArray kPdf = "%PDF-1.4\n% prova de teste\n" + QByteArray(5000, 'x') + "\n%%EOF\n";
const QByteArray kKey = "1\r\n3\r\n5\r\n2\r\n";
const QByteArray kNote = "Leia com atenção.\n";

// An exam archive the way the data folder holds them: the paper, its key and
// a file in a sub-folder.
std::string ExamArchive()
{
    ZipWriter w;
    w.addFile("prova.pdf", kPdf.toStdString(), ZipWriter::Method::Deflated);
    w.addFile("gabarito.txt", kKey.toStdString(), ZipWriter::Method::Stored);
    w.addFolder("extra/");
    w.addFile("extra/leia.txt", kNote.toStdString(), ZipWriter::Method::Deflated);
    return w.finish();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace

class TestExamCopy : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void suggestedNameJoinsOrganisationTypeAndYear();
    void copiesEveryFileFlatIntoTheTypedFolder();
    void confirmingTheSuggestedNameCopiesBesideTheDialogsFolder();
    void copyingTwiceIntoTheSameFolderReplacesTheFiles();
    void emptyGridDoesNothing();
    void cancelDoesNothing();
    void failuresShowTheCopyError_data();
    void failuresShowTheCopyError();
    void leftOutEntriesAreReportedAfterTheRest();
    void secondCopyDuringACopyIsIgnored();
    void dialogOpensInTheUsersFolderThenTheLastOne();

private:
    // Runs the copy; when the dialog shows, answer(dialog) plays the user.
    void runCopy(const catalog::ExamCopyRow& row, const std::vector<std::string>& archives,
                 const std::function<void(ExamCopyDialog&)>& answer, const QString& topLeft = "Técnico");
    static void typeAndConfirm(ExamCopyDialog& dialog, const QString& text);

    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_data, m_out;
    RecordingMessages m_messages;
    app::AppContext m_ctx;
    std::unique_ptr<QWidget> m_owner;
    std::unique_ptr<catalog::ExamCopy> m_copy;
    bool m_dialogShown = false;
    bool m_rejectDialogs = false; // a dialog shown while set is cancelled at once
    int m_dialogShows = 0;
    QString m_suggestedSeen;
};

void TestExamCopy::init()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    QVERIFY(m_tmp->isValid());
    m_data = m_tmp->filePath("dados") + "/";
    m_out = m_tmp->filePath("destino");
    QVERIFY(QDir().mkpath(m_data));
    QVERIFY(QDir().mkpath(m_out));
    QVERIFY(QDir().mkpath(m_data + "2010"));
    QVERIFY(ZipWriter().writeTo((m_data + "vazio.zip").toStdString()));
    {
        QFile f(m_data + "prova.zip");
        QVERIFY(f.open(QIODevice::WriteOnly));
        const std::string bytes = ExamArchive();
        f.write(bytes.data(), qint64(bytes.size()));
    }
    QVERIFY(QFile::copy(m_data + "prova.zip", m_data + "2010/sub.zip"));

    m_messages.clear();
    m_ctx = {};
    m_ctx.dataFolder = m_data;
    m_ctx.messages = &m_messages;
    m_ctx.processEvents = [] { QCoreApplication::processEvents(); };
    m_owner = std::make_unique<QWidget>();
    m_copy = std::make_unique<catalog::ExamCopy>(m_ctx, m_owner.get());
    m_dialogShown = false;
    m_rejectDialogs = false;
    m_dialogShows = 0;
    m_suggestedSeen.clear();
}

void TestExamCopy::cleanup()
{
    m_copy.reset();
    m_owner.reset();
    if (m_tmp) {
        // A test may leave a read-only file behind; the folder must still go.
        QDirIterator it(m_tmp->path(), QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            QFile::setPermissions(it.next(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    m_tmp.reset();
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestExamCopy::runCopy(const catalog::ExamCopyRow& row, const std::vector<std::string>& archives,
                           const std::function<void(ExamCopyDialog&)>& answer, const QString& topLeft)
{
    // Polls for the modal dialog from inside its own event loop.
    QTimer poll;
    poll.setInterval(10);
    bool handled = false;
    bool stuck = false;
    int pollsSinceAnswer = 0;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        ExamCopyDialog& d = m_copy->dialog();
        if (!d.isVisible()) {
            handled = false;
            return;
        }
        if (handled) {
            // Still open long after the answer: the dialog did not take it.
            if (++pollsSinceAnswer > 500) {
                stuck = true;
                d.reject();
            }
            return;
        }
        pollsSinceAnswer = 0;
        handled = true;
        ++m_dialogShows;
        if (m_rejectDialogs) {
            d.reject();
            return;
        }
        m_dialogShown = true;
        if (auto* edit = d.findChild<QLineEdit*>("fileNameEdit"))
            m_suggestedSeen = edit->text();
        answer(d);
    });
    poll.start();
    m_copy->Run(topLeft, row, archives);
    poll.stop();
    QVERIFY2(!stuck, "the dialog did not accept the answer");
    QVERIFY(!m_copy->dialog().isVisible());
}

void TestExamCopy::typeAndConfirm(ExamCopyDialog& dialog, const QString& text)
{
    auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
    QVERIFY(edit);
    // The whole text at once: typed key by key, the dialog's completer may
    // pop up and take the Return for itself.
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
}

void TestExamCopy::suggestedNameJoinsOrganisationTypeAndYear()
{
    runCopy({"Técnico Judiciário", "Fundação Ômega", "2008 - 2ª fase", 0}, {"prova.zip"},
            [](ExamCopyDialog& d) { d.reject(); });
    QVERIFY(m_dialogShown);
    QCOMPARE(m_suggestedSeen, QString("Fundação Ômega - Técnico Judiciário - 2008 - 2ª fase"));
    QCOMPARE(m_copy->dialog().windowTitle(), QString("Copiar para..."));
    QCOMPARE(m_copy->dialog().nameFilters(), QStringList{"Nova pasta do Windows (*)"});
    // The user sees the entry's description only, as it is named.
    const auto* types = m_copy->dialog().findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(types);
    QCOMPARE(types->count(), 1);
    QCOMPARE(types->itemText(0), QString("Nova pasta do Windows"));
    QCOMPARE(catalog::ExamExtraction::SuggestedName("O", "T", "Y"), std::string("O - T - Y"));
}

void TestExamCopy::copiesEveryFileFlatIntoTheTypedFolder()
{
    const auto before = Snapshot(m_data);
    // The window stays responsive while files are written, with the normal
    // cursor (the wait cursor belongs to the directory read only).
    int eventRuns = 0;
    bool waitCursorWhileWriting = false;
    m_ctx.processEvents = [&] {
        ++eventRuns;
        waitCursorWhileWriting |= QGuiApplication::overrideCursor() != nullptr;
        QCoreApplication::processEvents();
    };
    const QString dest = m_out + "/nova/pasta";
    // The second row's archive sits in a sub-folder written with "\".
    runCopy({"T", "O", "2010", 1}, {"vazio.zip", "2010\\sub.zip"}, [&](ExamCopyDialog& d) { typeAndConfirm(d, dest); });
    // Only the notice that says where the files went.
    QCOMPARE(m_messages.texts, QStringList{"Prova copiada para a pasta:\n" + QDir::toNativeSeparators(dest)});
    QCOMPARE(FilesIn(dest), (QStringList{"gabarito.txt", "leia.txt", "prova.pdf"}));
    QCOMPARE(ReadAll(dest + "/prova.pdf"), kPdf);
    QCOMPARE(ReadAll(dest + "/gabarito.txt"), kKey);
    QCOMPARE(ReadAll(dest + "/leia.txt"), kNote);
    QVERIFY(!QFileInfo::exists(dest + "/extra"));
    QCOMPARE(Snapshot(m_data), before);
    QVERIFY(eventRuns >= 3);
    QVERIFY(!waitCursorWhileWriting);
}

void TestExamCopy::confirmingTheSuggestedNameCopiesBesideTheDialogsFolder()
{
    runCopy({"Analista", "Org Beta", "2011", 0}, {"prova.zip"}, [&](ExamCopyDialog& d) {
        d.setDirectory(m_out);
        QTest::keyClick(d.findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
    });
    QCOMPARE(m_messages.texts.size(), 1);
    QVERIFY(m_messages.texts[0].startsWith(QStringLiteral("Prova copiada para a pasta:")));
    QCOMPARE(ReadAll(m_out + "/Org Beta - Analista - 2011/prova.pdf"), kPdf);
}

void TestExamCopy::copyingTwiceIntoTheSameFolderReplacesTheFiles()
{
    const auto confirmSuggested = [&](ExamCopyDialog& d) {
        d.setDirectory(m_out);
        QTest::keyClick(d.findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
    };
    const catalog::ExamCopyRow row{"Analista", "Org", "2011", 0};
    runCopy(row, {"prova.zip"}, confirmSuggested);
    const QString folder = m_out + "/Org - Analista - 2011";
    WriteFile(folder + "/gabarito.txt", "mudado pelo usuário");
    WriteFile(folder + "/minhas notas.txt", "fica");

    m_dialogShown = false;
    m_messages.texts.clear();
    runCopy(row, {"prova.zip"}, confirmSuggested);
    QCOMPARE(m_messages.texts.size(), 1); // the notice of the copy
    // The exam's files are written again; the user's own file stays; no
    // folder was made inside the first one.
    QCOMPARE(ReadAll(folder + "/gabarito.txt"), kKey);
    QCOMPARE(ReadAll(folder + "/minhas notas.txt"), QByteArray("fica"));
    QCOMPARE(QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList());
}

void TestExamCopy::emptyGridDoesNothing()
{
    runCopy(
        {"", "", "", 0}, {}, [](ExamCopyDialog& d) { d.reject(); }, QString());
    QVERIFY(!m_dialogShown);
    QVERIFY(m_messages.texts.isEmpty());
}

void TestExamCopy::cancelDoesNothing()
{
    runCopy({"T", "O", "2010", 0}, {"prova.zip"},
            [](ExamCopyDialog& d) { QTest::keyClick(d.findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Escape); });
    QVERIFY(m_dialogShown);
    QVERIFY(m_messages.texts.isEmpty());
    QCOMPARE(QDir(m_out).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

void TestExamCopy::failuresShowTheCopyError_data()
{
    QTest::addColumn<QByteArray>("archiveBytes"); // written as "ruim.zip"; empty: no file
    QTest::addColumn<QString>("destination"); // under m_out
    QTest::addColumn<int>("row");

    const std::string good = ExamArchive();
    QTest::newRow("archive missing") << QByteArray() << "a" << 0;
    QTest::newRow("not a zip") << QByteArray(3000, '\x5a') << "a" << 0;
    QTest::newRow("truncated archive") << QByteArray(good.data(), 200) << "a" << 0;
    QTest::newRow("row without archive") << QByteArray::fromStdString(good) << "a" << 1;
    // A regular file where the destination's parent folder should be: no
    // folder can be made there.
    QTest::newRow("destination under a file") << QByteArray::fromStdString(good) << "arquivo/x" << 0;
}

void TestExamCopy::failuresShowTheCopyError()
{
    QFETCH(QByteArray, archiveBytes);
    QFETCH(QString, destination);
    QFETCH(int, row);
    if (!archiveBytes.isEmpty())
        WriteFile(m_data + "ruim.zip", archiveBytes);
    WriteFile(m_out + "/arquivo", "x");
    const auto before = Snapshot(m_data);

    runCopy({"T", "O", "2010", row}, {"ruim.zip"},
            [&](ExamCopyDialog& d) { typeAndConfirm(d, m_out + "/" + destination); });
    QCOMPARE(m_messages.texts, QStringList{"Erro ao copiar o arquivo."});
    QCOMPARE(m_messages.captions, QStringList{"Zelvora"});
    QCOMPARE(Snapshot(m_data), before);
    QCOMPARE(ReadAll(m_out + "/arquivo"), QByteArray("x"));
}

void TestExamCopy::leftOutEntriesAreReportedAfterTheRest()
{
    // The key's stored bytes are altered in the archive: its CRC fails and
    // the reader leaves it out; the other files are copied.
    std::string bytes = ExamArchive();
    const auto at = bytes.find("1\r\n3\r\n5");
    QVERIFY(at != std::string::npos);
    bytes[at] = '4';
    WriteFile(m_data + "crc.zip", QByteArray::fromStdString(bytes));
    // And a read-only file in the way of the paper is never replaced; it
    // stands in the folder of an earlier copy of the same exam.
    const QString dest = m_out + "/O - T - 2010";
    QVERIFY(QDir().mkpath(dest));
    WriteFile(dest + "/prova.pdf", "antigo");
    QVERIFY(QFile::setPermissions(dest + "/prova.pdf", QFile::ReadOwner | QFile::ReadGroup));

    runCopy({"T", "O", "2010", 0}, {"crc.zip"}, [&](ExamCopyDialog& d) {
        d.setDirectory(m_out);
        QTest::keyClick(d.findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
    });
    QCOMPARE(m_messages.texts, QStringList{"Erro ao copiar o arquivo."});
    QCOMPARE(ReadAll(dest + "/leia.txt"), kNote);
    QCOMPARE(ReadAll(dest + "/prova.pdf"), QByteArray("antigo"));
    QVERIFY(!QFileInfo::exists(dest + "/gabarito.txt"));
}

void TestExamCopy::secondCopyDuringACopyIsIgnored()
{
    // The reader lets pending events run; a copy button pressed meanwhile
    // must not start a second copy on the same reader.
    int calls = 0;
    bool busyInside = false;
    m_ctx.processEvents = [&] {
        if (calls++ == 0) {
            busyInside = m_copy->busy();
            // Should a second dialog open, it is cancelled so the test ends.
            m_rejectDialogs = true;
            m_copy->Run("T", {"T", "O", "2010", 0}, {"prova.zip"});
        }
        QCoreApplication::processEvents();
    };
    const QString dest = m_out + "/um";
    runCopy({"T", "O", "2010", 0}, {"prova.zip"}, [&](ExamCopyDialog& d) { typeAndConfirm(d, dest); });
    QVERIFY(calls > 0);
    QVERIFY(busyInside);
    QCOMPARE(m_dialogShows, 1);
    QCOMPARE(m_messages.texts.size(), 1); // the notice of the one copy
    QCOMPARE(ReadAll(dest + "/prova.pdf"), kPdf);
    QVERIFY(!m_copy->busy());
}

// The save dialog starts in the user's documents (or home) folder, never in
// the folder the program was started from, names its button as the guide
// does, and opens the next time where the user went.
void TestExamCopy::dialogOpensInTheUsersFolderThenTheLastOne()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString started = QDir::currentPath();
    QVERIFY(QDir::setCurrent(m_out));
    ExamCopyDialog fresh;
    QDir::setCurrent(started);
    const QString start = ExamCopyDialog::StartFolder();
    QVERIFY(QFileInfo(start).isDir());
    QCOMPARE(QFileInfo(fresh.directory().absolutePath()).canonicalFilePath(), QFileInfo(start).canonicalFilePath());
    QVERIFY(fresh.directory().absolutePath() != m_out);
    QCOMPARE(fresh.labelText(QFileDialog::Accept), QStringLiteral("Salvar"));

    const QString dest = m_out + "/primeira";
    runCopy({"T", "O", "2010", 0}, {"prova.zip"}, [&](ExamCopyDialog& d) { typeAndConfirm(d, dest); });
    QCOMPARE(ReadAll(dest + "/prova.pdf"), kPdf);
    QCOMPARE(m_copy->dialog().directory().absolutePath(), m_out);
}

QTEST_MAIN(TestExamCopy)
#include "tst_ExamCopy.moc"

// Start-up when no data folder exists: the user is asked for one, is told
// which folders were looked at, and either leaves (no window is made) or
// chooses a folder that is then read.
#include "RecordingMessageBoxes.h"

#include "app/DataFolderPrompt.h"
#include "app/ZelvoraApplication.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using zelvora::app::ZelvoraApplication;

class NoDataFolderTest : public QObject {
    Q_OBJECT
public:
    explicit NoDataFolderTest(ZelvoraApplication& app) : m_app(app) {}

private slots:
    void leavingMakesNoWindow();
    void chosenFolderIsRead();
    void cleanupTestCase() { m_app.destroyWindows(); }

private:
    ZelvoraApplication& m_app;
    QTemporaryDir m_tmp;
    RecordingMessageBoxes m_messages;
};

void NoDataFolderTest::leavingMakesNoWindow()
{
    auto& ctx = m_app.context();
    ctx.executablePath = m_tmp.filePath("bin/zelvora");
    ctx.messages = &m_messages;
    QStringList asked;
    m_app.setDataFolderChooser([&](const QStringList& lookedAt) {
        asked = lookedAt;
        return QString();
    });
    m_app.createWindows();
    QVERIFY(!m_app.windows().main);
    QVERIFY(asked.contains(m_tmp.filePath("bin/dados/")));
    QVERIFY(asked.contains(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/zelvora/dados/"));
    const QString text = zelvora::app::DataFolderPrompt::Text(asked);
    for (const auto& folder : asked)
        QVERIFY(text.contains(folder));
    QCOMPARE(m_app.run(), 1);
}

void NoDataFolderTest::chosenFolderIsRead()
{
    const QString chosen = m_tmp.filePath("escolhida");
    QVERIFY(QDir().mkpath(chosen + "/simu"));
    m_app.setDataFolderChooser([&](const QStringList&) { return chosen; });
    m_app.createWindows();
    QVERIFY(m_app.windows().main);
    QCOMPARE(m_app.context().dataFolder, chosen + "/");
    QCOMPARE(m_app.context().userFolder, QString()); // a chosen folder is read alone
}

int main(int argc, char** argv)
{
    QStandardPaths::setTestModeEnabled(true);
    ZelvoraApplication app(argc, argv);
    NoDataFolderTest test(app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_NoDataFolder.moc"

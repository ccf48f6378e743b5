// The program's start-up and end, driven through the real application object
// and the real windows: creation order, the folders, failures during creation
// and in event handlers, the splash on first activation, and which windows end
// the program when closed.
//
// One application object serves the whole run, as in the program, so the test
// functions run in order and share the windows created in initTestCase().
#include "RecordingMessageBoxes.h"

#include "app/TformAbre.h"
#include "app/TformAguarde.h"
#include "app/TformCreditos.h"
#include "app/ZelvoraApplication.h"
#include "attempts/AttemptStore.h"
#include "catalog/TformMain.h"
#include "mockexam/TformResultado.h"
#include "mockexam/TformSimul.h"

#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <fstream>
#include <stdexcept>

using zelvora::app::ZelvoraApplication;

namespace {

// A window's class name without its namespace, as the start-up names it.
QString ClassName(const QObject* window)
{
    return QString::fromLatin1(window->metaObject()->className()).section(QStringLiteral("::"), -1);
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT
public:
    explicit StartupTest(ZelvoraApplication& app) : m_app(app) {}

private slots:
    void initTestCase();
    void windowsCreatedInOrder();
    void foldersSetBeforeLaterWindows();
    void creationHandlersRan();
    void creationFailureIsShownAndStartupGoesOn();
    void startupShowsNoWindow();
    void failureInEventHandlerIsShown_data();
    void failureInEventHandlerIsShown();
    void splashOnceOtherWindowsHideMainQuits();
    void cleanupTestCase();

private:
    QList<QWidget*> windows() const;

    ZelvoraApplication& m_app;
    RecordingMessageBoxes m_messages;
    QTemporaryDir m_tmp;
    QString m_dataFolder;
    QStringList m_log;
    QMap<QString, QString> m_folderAtConstruction; // window class -> data folder + mock folder
    QMap<QString, QString> m_titleAfterCreate;
};

QList<QWidget*> StartupTest::windows() const
{
    const auto& w = m_app.context().windows;
    const auto& f = m_app.windows();
    return {static_cast<QWidget*>(f.main),      static_cast<QWidget*>(w.creditos), static_cast<QWidget*>(f.simul),
            static_cast<QWidget*>(f.resultado), static_cast<QWidget*>(w.aguarde),  static_cast<QWidget*>(w.abre)};
}

void StartupTest::initTestCase()
{
    auto& ctx = m_app.context();
    // Unless told otherwise the folders come from the running program.
    QCOMPARE(ctx.executablePath, QCoreApplication::applicationFilePath());
    QCOMPARE(ctx.title, QStringLiteral("Zelvora"));

    QVERIFY(m_tmp.isValid());
    m_dataFolder = m_tmp.filePath("bin/dados/");
    QVERIFY(QDir().mkpath(m_dataFolder + "simu"));
    std::ofstream(m_dataFolder.toStdString() + "nomes.txt", std::ios::binary)
        << "TRT#Analista#2010#b.zip\r\nCESPE#Agente#2004#a.zip\r\ntrt#ANALISTA#2010#B.ZIP\r\n";
    std::ofstream(m_dataFolder.toStdString() + "simu/lista.txt", std::ios::binary) << "Prova#prova.pdf\r\n";

    ctx.executablePath = m_tmp.filePath("bin/zelvora");
    ctx.messages = &m_messages;

    zelvora::app::StartupObserver observer;
    observer.beforeCreate = [this](const char* cls) {
        m_log << QStringLiteral("construct %1").arg(cls);
        m_folderAtConstruction[cls] = m_app.context().dataFolder + "|" + m_app.context().mockExamFolder;
    };
    observer.afterFormCreate = [this](QWidget* w) {
        const QString cls = ClassName(w);
        m_log << QStringLiteral("created %1").arg(cls);
        m_titleAfterCreate[cls] = w->windowTitle();
        if (cls == "TformSimul")
            throw std::runtime_error("Falha ao criar (teste).");
        if (cls == "TformResultado")
            throw 42;
    };
    m_app.setStartupObserver(observer);
    m_app.createWindows();
    m_app.setStartupObserver({});
}

void StartupTest::windowsCreatedInOrder()
{
    const QStringList classes = {"TformMain",      "TformCreditos", "TformSimul",
                                 "TformResultado", "TformAguarde",  "TformAbre"};
    QStringList expected;
    for (const QString& c : classes)
        expected << "construct " + c << "created " + c;
    QCOMPARE(m_log, expected);

    // And the windows the others reach through the context are those.
    const auto list = windows();
    for (int i = 0; i < classes.size(); ++i) {
        QVERIFY2(list[i], qPrintable(classes[i]));
        QCOMPARE(ClassName(list[i]), classes[i]);
    }
}

void StartupTest::foldersSetBeforeLaterWindows()
{
    const QString expected = m_dataFolder + "|" + m_dataFolder + "simu/";
    for (const QString c : {"TformCreditos", "TformSimul", "TformResultado", "TformAguarde", "TformAbre"})
        QCOMPARE(m_folderAtConstruction.value(c), expected);
    QCOMPARE(m_app.context().dataFolder, m_dataFolder);
    QCOMPARE(m_app.context().mockExamFolder, m_dataFolder + "simu/");
}

void StartupTest::creationHandlersRan()
{
    QCOMPARE(m_titleAfterCreate.value("TformMain"), QStringLiteral("  Zelvora"));
    QCOMPARE(m_titleAfterCreate.value("TformAguarde"), QStringLiteral("Zelvora"));
    QCOMPARE(m_titleAfterCreate.value("TformAbre"), QStringLiteral("Zelvora"));
    QCOMPARE(m_titleAfterCreate.value("TformCreditos"), QStringLiteral("Créditos"));
    // The catalog came from the computed folder: two entries, the third line
    // repeats the first in other letter case.
    QCOMPARE(m_app.windows().main->catalog().size(), size_t(2));
}

void StartupTest::creationFailureIsShownAndStartupGoesOn()
{
    QCOMPARE(m_messages.count("Falha ao criar (teste)."), 1);
    // Something that is not a standard exception is shown as well.
    QCOMPARE(m_messages.shown.size(), 2);
    QVERIFY(!m_messages.shown[1].first.isEmpty());
    for (const auto& m : m_messages.shown)
        QCOMPARE(m.second, QStringLiteral("Zelvora"));
    // The windows after the failing ones were still made and set up.
    QVERIFY(m_log.contains("created TformAguarde"));
    QVERIFY(m_log.contains("created TformAbre"));
    QVERIFY(m_app.windows().resultado);
    m_messages.shown.clear();
}

void StartupTest::startupShowsNoWindow()
{
    for (QWidget* w : windows())
        QVERIFY2(!w->isVisible(), w->metaObject()->className());
    // The store's integrity check waits until the catalog has been painted.
    QVERIFY(m_app.context().attempts);
    QVERIFY(!m_app.context().attempts->isOpen());
}

void StartupTest::failureInEventHandlerIsShown_data()
{
    QTest::addColumn<bool>("standard");
    QTest::newRow("standard exception") << true;
    QTest::newRow("any other exception") << false;
}

void StartupTest::failureInEventHandlerIsShown()
{
    QFETCH(bool, standard);
    m_messages.shown.clear();
    QPushButton button(QStringLiteral("Falhar"));
    bool fail = true;
    int clicks = 0;
    connect(&button, &QPushButton::clicked, [&] {
        ++clicks;
        if (!fail)
            return;
        if (standard)
            throw std::runtime_error("Erro no clique.");
        throw 7;
    });
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));

    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(m_messages.shown.size(), 2);
    QCOMPARE(m_messages.shown[0].second, QStringLiteral("Zelvora"));
    if (standard)
        QCOMPARE(m_messages.shown[0].first, QStringLiteral("Erro no clique."));
    else
        QVERIFY(!m_messages.shown[0].first.isEmpty());

    // The program goes on: the same button still works.
    fail = false;
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(clicks, 3);
    QCOMPARE(m_messages.shown.size(), 2);
    m_messages.shown.clear();
}

void StartupTest::splashOnceOtherWindowsHideMainQuits()
{
    const auto& w = m_app.context().windows;
    QPointer<QWidget> main = static_cast<QWidget*>(m_app.windows().main);
    QPointer<QWidget> abre = static_cast<QWidget*>(w.abre);
    QPointer<QWidget> creditos = static_cast<QWidget*>(w.creditos);
    QPointer<QWidget> simul = static_cast<QWidget*>(m_app.windows().simul);

    int state = 0, splashShown = 0, settle = 0;
    bool splashVisible = false, splashWasModal = false, mainBehindSplash = false, storeOpenLater = false;

    // Everything happens inside the program's own event loop; this timer
    // plays the user, one step whenever the windows are ready for it.
    QTimer driver;
    driver.setInterval(5);
    connect(&driver, &QTimer::timeout, [&] {
        const bool abreVisible = abre && abre->isVisible();
        if (abreVisible && !splashVisible) {
            ++splashShown;
            splashWasModal = QApplication::activeModalWidget() == abre;
            mainBehindSplash = main && main->isVisible();
        }
        splashVisible = abreVisible;
        switch (state) {
        case 0: // the first activation brings the splash; close it with its close command
            if (abreVisible) {
                abre->close();
                state = 1;
            }
            break;
        case 1: // a failure in a timer reaches the application and the loop goes on
            if (!abreVisible) {
                QTimer::singleShot(0, [] { throw std::runtime_error("Falha num temporizador."); });
                state = 2;
            }
            break;
        case 2: // another window, closed, only hides
            if (m_messages.count("Falha num temporizador.") == 1) {
                storeOpenLater = m_app.context().attempts->isOpen() || !m_app.context().attempts->status().ok();
                creditos->show();
                state = 3;
            }
            break;
        case 3:
            if (creditos->isVisible()) {
                creditos->close();
                state = 4;
            }
            break;
        case 4:
            if (!creditos->isVisible()) {
                simul->show();
                state = 5;
            }
            break;
        case 5:
            if (simul->isVisible()) {
                simul->close();
                state = 6;
            }
            break;
        case 6: // back to the catalog window: no second splash
            if (!simul->isVisible()) {
                main->activateWindow();
                state = 7;
            }
            break;
        case 7:
            if (main->isActiveWindow() && ++settle > 20) {
                state = 8;
                main->close();
            }
            break;
        }
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [&] { m_app.exit(99); });

    driver.start();
    watchdog.start(30000);
    const int code = m_app.run();
    driver.stop();
    watchdog.stop();

    QCOMPARE(state, 8);
    QCOMPARE(code, 0);
    QCOMPARE(splashShown, 1);
    QVERIFY(splashWasModal);
    QVERIFY(mainBehindSplash);
    QVERIFY2(storeOpenLater, "the attempt store opens after the catalog's first paint");
    QCOMPARE(m_messages.count("Falha num temporizador."), 1);
    QCOMPARE(m_messages.shown.first().second, QStringLiteral("Zelvora"));
    // Closing windows destroyed none of them.
    QVERIFY(main && abre && creditos && simul);
    QVERIFY(!main->isVisible());
}

void StartupTest::cleanupTestCase()
{
    QList<QPointer<QWidget>> all;
    for (QWidget* w : windows())
        all << QPointer<QWidget>(w);
    m_app.destroyWindows();
    for (const auto& p : all)
        QVERIFY(p.isNull());
    for (QWidget* w : windows())
        QVERIFY(!w);
}

int main(int argc, char** argv)
{
    // The user's own data folder and the attempt store are read and written
    // too: never the real ones.
    QStandardPaths::setTestModeEnabled(true);
    ZelvoraApplication app(argc, argv);
    StartupTest test(app);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_Startup.moc"

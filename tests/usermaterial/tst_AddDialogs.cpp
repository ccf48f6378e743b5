// The two dialogs that add material, driven through their widgets.
#include "app/MessageBoxes.h"
#include "usermaterial/AddExamDialog.h"
#include "usermaterial/AddPaperDialog.h"
#include "zipwriter/ZipWriter.h"

#include <QCompleter>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace zelvora::gui;

namespace {

struct Recorder final : zelvora::app::MessageBoxes {
    void show(QWidget*, const QString& text, const QString&) override { shown << text; }
    QStringList shown;
};

QByteArray Read(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class AddDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void paperPreviewAndSave();
    void paperRefusals_data();
    void paperRefusals();
    void examListsEntriesCompletesAndSaves();
    void examListingNamesAndCounts_data();
    void examListingNamesAndCounts();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_user, m_pdf;
};

void AddDialogsTest::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_user = m_dir->filePath("dados/");
    m_pdf = m_dir->filePath("prova.pdf");
    QFile f(m_pdf);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("%PDF-1.4");
}

void AddDialogsTest::paperPreviewAndSave()
{
    Recorder messages;
    AddPaperDialog dialog(m_user, &messages, "Zelvora");
    dialog.pdfEdit()->setText(m_pdf);
    dialog.nameEdit()->setText("Analista 2010");
    dialog.keyEdit()->setPlainText("01.c 02.E\n03-a");
    QCOMPARE(dialog.preview()->count(), 3);
    QCOMPARE(dialog.preview()->item(1)->text(), QStringLiteral("Questão 2: E"));
    QTest::mouseClick(dialog.saveButton(), Qt::LeftButton);
    QCOMPARE(messages.shown, QStringList());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Read(m_user + "simu/lista.txt"), QByteArray("Analista 2010#Analista-2010.pdf\r\n"));
    QCOMPARE(Read(m_user + "simu/Analista-2010.txt"), QByteArray("3\r\n5\r\n1\r\n"));
}

void AddDialogsTest::paperRefusals_data()
{
    QTest::addColumn<bool>("withPdf");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("message");

    QTest::newRow("no PDF") << false << "P"
                            << "ABC"
                            << "Escolha o arquivo PDF";
    QTest::newRow("name outside Windows-1252") << true << "Prova ✓"
                                               << "ABC"
                                               << "Windows-1252";
    QTest::newRow("no key") << true << "P"
                            << " "
                            << "Cole o gabarito";
    QTest::newRow("unreadable key") << true << "P"
                                    << "1-A 3-B"
                                    << "Falta a questão 2";
}

void AddDialogsTest::paperRefusals()
{
    QFETCH(bool, withPdf);
    QFETCH(QString, name);
    QFETCH(QString, key);
    QFETCH(QString, message);
    Recorder messages;
    AddPaperDialog dialog(m_user, &messages, "Zelvora");
    dialog.pdfEdit()->setText(withPdf ? m_pdf : m_dir->filePath("falta.pdf"));
    dialog.nameEdit()->setText(name);
    dialog.keyEdit()->setPlainText(key);
    QTest::mouseClick(dialog.saveButton(), Qt::LeftButton);
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY2(messages.shown[0].contains(message), qPrintable(messages.shown[0]));
    QVERIFY(!QFile::exists(m_user + "simu/lista.txt"));
}

void AddDialogsTest::examListsEntriesCompletesAndSaves()
{
    zelvora::zipwriter::ZipWriter zip;
    zip.addFile("caderno.pdf", "conteudo");
    const QString zipPath = m_dir->filePath("baixado.zip");
    QVERIFY(zip.writeTo(zipPath.toStdString()));

    Recorder messages;
    AddExamDialog dialog(m_user, {{"Fundação Carlos Chagas", "CESPE"}, {"Analista"}, {"2010"}}, &messages, "Zelvora");
    dialog.zipEdit()->setText(m_pdf);
    dialog.checkZip();
    QCOMPARE(dialog.entries()->count(), 0);
    QVERIFY(!dialog.zipStatus()->text().isEmpty());

    dialog.zipEdit()->setText(zipPath);
    dialog.checkZip();
    QCOMPARE(dialog.entries()->count(), 1);
    QCOMPARE(dialog.entries()->item(0)->text(), QStringLiteral("caderno.pdf"));

    QCompleter* completer = dialog.organisationEdit()->completer();
    completer->setCompletionPrefix("carlos");
    QCOMPARE(completer->currentCompletion(), QStringLiteral("Fundação Carlos Chagas"));

    dialog.organisationEdit()->setText("Fundação Carlos Chagas");
    dialog.examTypeEdit()->setText("Analista");
    QTest::mouseClick(dialog.saveButton(), Qt::LeftButton);
    QCOMPARE(messages.shown.size(), 1); // the year is missing
    dialog.yearEdit()->setText("2010");
    QTest::mouseClick(dialog.saveButton(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Read(m_user + "nomes.txt"),
             QByteArray("Funda\xE7\xE3o Carlos Chagas#Analista#2010#Fundacao-Carlos-Chagas-Analista-2010.zip\r\n"));
}

void AddDialogsTest::examListingNamesAndCounts_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QStringList>("files"); // stored names, "\\" or "/" between folders
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("status");

    QTest::newRow("one file") << QStringList() << QStringList{"prova.pdf"} << QStringList{"prova.pdf"}
                              << "1 arquivo no zip.";
    QTest::newRow("folders are not counted")
        << QStringList{"2010/"} << QStringList{"2010/prova.pdf", "2010/gabarito.txt"}
        << QStringList{"2010/", "2010/gabarito.txt", "2010/prova.pdf"} << "2 arquivos no zip.";
    QTest::newRow("backslashes shown as slashes") << QStringList() << QStringList{"2010\\tarde\\prova.pdf"}
                                                  << QStringList{"2010/tarde/prova.pdf"} << "1 arquivo no zip.";
}

void AddDialogsTest::examListingNamesAndCounts()
{
    QFETCH(QStringList, folders);
    QFETCH(QStringList, files);
    QFETCH(QStringList, shown);
    QFETCH(QString, status);
    zelvora::zipwriter::ZipWriter zip;
    for (const QString& f : folders)
        zip.addFolder(f.toStdString());
    for (const QString& f : files)
        zip.addFile(f.toStdString(), "conteudo");
    const QString zipPath = m_dir->filePath("listado.zip");
    QVERIFY(zip.writeTo(zipPath.toStdString()));
    Recorder messages;
    AddExamDialog dialog(m_user, {}, &messages, "Zelvora");
    dialog.zipEdit()->setText(zipPath);
    dialog.checkZip();
    QStringList listed;
    for (int i = 0; i < dialog.entries()->count(); ++i)
        listed << dialog.entries()->item(i)->text();
    listed.sort();
    shown.sort();
    QCOMPARE(listed, shown);
    QCOMPARE(dialog.zipStatus()->text(), status);
}

QTEST_MAIN(AddDialogsTest)
#include "tst_AddDialogs.moc"

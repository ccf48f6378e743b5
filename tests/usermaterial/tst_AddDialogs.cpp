// The dialogs that add material and set a paper's rules, driven through
// their widgets.
#include "app/MessageBoxes.h"
#include "attempts/AttemptStore.h"
#include "KeyPdfMaker.h"
#include "support/OnePagePdf.h"
#include "usermaterial/AddExamDialog.h"
#include "usermaterial/AddPaperDialog.h"
#include "usermaterial/KeyInput.h"
#include "usermaterial/PaperRulesDialog.h"
#include "usermaterial/UpdateKeyDialog.h"
#include "zipwriter/ZipWriter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
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
    void paperKeyFromPdf_data();
    void paperKeyFromPdf();
    void updateKeyShowsChangesAndRescores();
    void rulesWriteTheInfoFile();
    void rulesRefused_data();
    void rulesRefused();
    void whatTheProgramCannotOpenIsRefused_data();
    void whatTheProgramCannotOpenIsRefused();
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
    f.write(OnePagePdf());
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

void AddDialogsTest::whatTheProgramCannotOpenIsRefused_data()
{
    using Prepare = void (*)(const QString& pdf);
    QTest::addColumn<void*>("prepare"); // changes the PDF file
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("message");

    const auto keep = [](const QString&) {};
    const auto sparse = [](const QString& pdf) {
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(OnePagePdf()) > 0);
        QVERIFY(f.resize(qint64(600) * 1000 * 1000));
    };
    const auto text = [](const QString& pdf) {
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("Gabarito: 1-A 2-B 3-C\n");
    };
    const auto header = [](const QString& pdf) {
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write("%PDF-1.4\n" + QByteArray(4000, 'x'));
    };
    QTest::newRow("600 MB PDF") << reinterpret_cast<void*>(Prepare(sparse)) << "ABC"
                                << "passa de 512 MiB";
    QTest::newRow("text file named .pdf") << reinterpret_cast<void*>(Prepare(text)) << "ABC"
                                          << "não é um PDF que o Zelvora consiga abrir";
    QTest::newRow("PDF header then junk") << reinterpret_cast<void*>(Prepare(header)) << "ABC"
                                          << "não é um PDF que o Zelvora consiga abrir";
    QTest::newRow("400,000 pasted letters")
        << reinterpret_cast<void*>(Prepare(keep)) << QString(400000, 'D') << "até 1000 questões";
    QString pairs;
    for (int i = 1; i <= 1001; ++i)
        pairs += QString::number(i) + "-E\n";
    QTest::newRow("1001 numbered pairs") << reinterpret_cast<void*>(Prepare(keep)) << pairs << "até 1000 questões";
}

void AddDialogsTest::whatTheProgramCannotOpenIsRefused()
{
    QFETCH(void*, prepare);
    QFETCH(QString, key);
    QFETCH(QString, message);
    reinterpret_cast<void (*)(const QString&)>(prepare)(m_pdf);
    Recorder messages;
    AddPaperDialog dialog(m_user, &messages, "Zelvora");
    dialog.pdfEdit()->setText(m_pdf);
    dialog.nameEdit()->setText("P");
    dialog.keyEdit()->setPlainText(key);
    QVERIFY(dialog.preview()->count() <= 1000);
    QTest::mouseClick(dialog.saveButton(), Qt::LeftButton);
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY2(messages.shown[0].contains(message), qPrintable(messages.shown[0]));
    QVERIFY(dialog.result() != int(QDialog::Accepted));
    // Nothing copied into the user's folder, nothing listed.
    QVERIFY(!QFile::exists(m_user + "simu/lista.txt"));
    QVERIFY(QDir(m_user + "simu").entryList(QDir::Files).isEmpty());
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

// A key PDF with two posts: the user picks one by its printed title; the
// preview, the count warning and what is saved follow the pick.
void AddDialogsTest::paperKeyFromPdf_data()
{
    QTest::addColumn<int>("pick");
    QTest::addColumn<QString>("lastItem");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("info");

    QTest::newRow("first post, options") << 0 << "Questão 4: D"
                                         << "4 questões lidas. Atenção: a prova tem 5 questões."
                                         << QByteArray("1\r\n3\r\n5\r\n4\r\n") << QByteArray();
    QTest::newRow("second post, right/wrong with one annulled")
        << 1 << "Questão 5: E"
        << "5 questões lidas, certo ou errado. Anuladas: 2." << QByteArray("C\r\nX\r\nE\r\nC\r\nE\r\n")
        << QByteArray("; CARGO 2: PERITO\r\ntipo=certo-errado\r\npontuacao=simples\r\nanuladas=2\r\n");
}

void AddDialogsTest::paperKeyFromPdf()
{
    QFETCH(int, pick);
    QFETCH(QString, lastItem);
    QFETCH(QString, status);
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, info);

    KeyPage page;
    KeyPdfMaker::Lines(
        page, 40, 40,
        {"CARGO 1: AGENTE", "01 - A 02 - C 03 - E 04 - D", "CARGO 2: PERITO", "Item 1 2 3 4 5", "Gabarito C X E C E"});
    const QString keyPdf = m_dir->filePath("gabarito.pdf");
    QFile f(keyPdf);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(KeyPdfMaker::Write({page}));
    f.close();

    Recorder messages;
    AddPaperDialog dialog(m_user, &messages, "Zelvora");
    dialog.pdfEdit()->setText(m_pdf);
    dialog.nameEdit()->setText("Policia 2024");
    dialog.setQuestionCounter([](const QString&) { return std::optional<int>(5); });
    dialog.show();
    dialog.keyInput()->readPdf(keyPdf);
    auto* sections = dialog.findChild<QComboBox*>("comboSecao");
    QVERIFY(sections && sections->isVisible());
    QCOMPARE(sections->count(), 2);
    QCOMPARE(sections->itemText(1), QStringLiteral("CARGO 2: PERITO"));
    sections->setCurrentIndex(pick);
    QCOMPARE(dialog.preview()->item(dialog.preview()->count() - 1)->text(), lastItem);
    QCOMPARE(dialog.keyStatus()->text(), status);
    if (pick == 1)
        QCOMPARE(dialog.preview()->item(1)->text(), QStringLiteral("Questão 2: anulada"));

    QTest::mouseClick(dialog.saveButton(), Qt::LeftButton);
    QCOMPARE(messages.shown, QStringList());
    QCOMPARE(Read(m_user + "simu/Policia-2024.txt"), key);
    QCOMPARE(Read(m_user + "simu/Policia-2024.ini"), info);
    QCOMPARE(QFile::exists(m_user + "simu/Policia-2024.ini"), !info.isEmpty());
}

void AddDialogsTest::updateKeyShowsChangesAndRescores()
{
    QStandardPaths::setTestModeEnabled(true);
    const QString pdf = m_user + "simu/p.pdf";
    QDir().mkpath(m_user + "simu");
    QVERIFY(QFile::copy(m_pdf, pdf));
    QFile key(m_user + "simu/p.txt");
    QVERIFY(key.open(QIODevice::WriteOnly));
    key.write("1\r\n2\r\n3\r\n");
    key.close();
    const QString storePath = m_dir->filePath("attempts.sqlite");
    {
        zelvora::attempts::AttemptStore store(storePath);
        QVERIFY(store.open());
        const auto id = store.begin({pdf, m_user, "x"}, "P", 3);
        QVERIFY(id);
        QVERIFY(store.recordAnswer(*id, 0, "1", 0, 1));
        QVERIFY(store.recordAnswer(*id, 2, "5", 2, 1));
        QVERIFY(store.finish(*id, 30, 1));
    }

    Recorder messages;
    UpdateKeyDialog dialog(zelvora::usermaterial::KeyReplacement::For(pdf, m_user, m_user), "P", storePath, &messages,
                           "Zelvora");
    QVERIFY(!dialog.updateButton()->isEnabled());
    dialog.keyInput()->keyEdit()->setPlainText("1-A 2-X 3-E");
    QStringList changes;
    for (int i = 0; i < dialog.changes()->count(); ++i)
        changes << dialog.changes()->item(i)->text();
    QCOMPARE(changes, (QStringList{"Questão 3: resposta alterada de C para E", "Questões anuladas: 2"}));
    QVERIFY(dialog.updateButton()->isEnabled());
    QTest::mouseClick(dialog.updateButton(), Qt::LeftButton);
    QCOMPARE(messages.shown, QStringList());
    QVERIFY(dialog.replaced());
    QCOMPARE(dialog.rescoredList()->count(), 1);
    QCOMPARE(dialog.rescoredList()->item(0)->text(), QStringLiteral("Tentativa 1: antes 1 de 3, agora 3 de 3"));
    QCOMPARE(Read(m_user + "simu/p.gabarito-1.txt"), QByteArray("1\r\n2\r\n3\r\n"));
    QCOMPARE(Read(m_user + "simu/p.txt"), QByteArray("1\r\nX\r\n5\r\n"));
}

namespace {

void Fill(QTableWidget* table, const QList<QStringList>& rows)
{
    table->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size(); ++c)
            table->setItem(r, c, new QTableWidgetItem(rows[r][c]));
}

} // namespace

void AddDialogsTest::rulesWriteTheInfoFile()
{
    Recorder messages;
    const QString path = m_dir->filePath("prova.ini");
    {
        PaperRulesDialog dialog(path, "Agente 2021", &messages, "Zelvora");
        dialog.findChild<QLineEdit*>("edDuracao")->setText("4h30");
        dialog.findChild<QComboBox*>("cbTipo")->setCurrentIndex(1);
        dialog.findChild<QCheckBox*>("ckAnula")->setChecked(true);
        dialog.findChild<QLineEdit*>("edAnuladas")->setText("7, 31-33");
        dialog.findChild<QComboBox*>("cbRegraAnuladas")->setCurrentIndex(1);
        QTest::mouseClick(dialog.findChild<QPushButton*>("btMaisBloco"), Qt::LeftButton);
        QTest::mouseClick(dialog.findChild<QPushButton*>("btMaisBloco"), Qt::LeftButton);
        Fill(dialog.findChild<QTableWidget*>("tbBlocos"),
             {{"Conhecimentos Básicos", "1-60", "1", "12"}, {"Específicos", "61-120", "1,5", ""}});
        Fill(dialog.findChild<QTableWidget*>("tbDisciplinas"), {{"Português", "1-20", "", ""}});
        dialog.findChild<QLineEdit*>("edMinimo")->setText("48");
        dialog.findChild<QLineEdit*>("edCorte")->setText("61.5");
        QTest::mouseClick(dialog.findChild<QPushButton*>("btSalvar"), Qt::LeftButton);
        QCOMPARE(messages.shown, QStringList());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
    }
    QCOMPARE(Read(path),
             QByteArray("; Agente 2021\r\n; Regras da prova gravadas pelo Zelvora.\r\nduracao=4:30\r\n"
                        "tipo=certo-errado\r\npontuacao=anula\r\nanuladas=7, 31-33\r\n"
                        "anuladas_regra=exclui\r\n"
                        "bloco=Conhecimentos B\xe1sicos: 1-60; peso=1; minimo=12\r\n"
                        "bloco=Espec\xed"
                        "ficos: 61-120; peso=1,5\r\n"
                        "disciplina=Portugu\xeas: 1-20\r\nminimo=48\r\ncorte=61,5\r\n"));
    // Opened again, the dialog shows what the file holds.
    PaperRulesDialog again(path, "Agente 2021", &messages, "Zelvora");
    const auto rules = again.rules();
    QCOMPARE(rules.duration, std::string("4:30"));
    QVERIFY(rules.rightWrong && rules.cancelling && rules.annulledExcluded);
    QCOMPARE(int(rules.blocks.size()), 2);
    QCOMPARE(rules.blocks[1].weight, std::string("1,5"));
    QCOMPARE(rules.cutoff, std::string("61,5"));
}

void AddDialogsTest::rulesRefused_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("bad duration") << "edDuracao"
                                  << "-1:00"
                                  << "duração \"-1:00\" não reconhecida";
    QTest::newRow("bad cut-off") << "edCorte"
                                 << "muito"
                                 << "nota de corte \"muito\" não é um número";
    QTest::newRow("bad annulled") << "edAnuladas"
                                  << "7, x"
                                  << "questão anulada \"x\"";
    QTest::newRow("bad weight") << "peso"
                                << "dois"
                                << "peso \"dois\" não é um número";
    QTest::newRow("name with a colon") << "nome"
                                       << "A: B"
                                       << "o nome não pode conter";
    QTest::newRow("name out of Windows-1252") << "nome"
                                              << "Ωmega"
                                              << "Windows-1252";
}

void AddDialogsTest::rulesRefused()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(QString, message);
    Recorder messages;
    const QString path = m_dir->filePath("prova.ini");
    PaperRulesDialog dialog(path, "P", &messages, "Zelvora");
    Fill(dialog.findChild<QTableWidget*>("tbBlocos"),
         {{field == "nome" ? value : "Bloco", "1-10", field == "peso" ? value : "2", ""}});
    if (auto* edit = dialog.findChild<QLineEdit*>(field))
        edit->setText(value);
    QTest::mouseClick(dialog.findChild<QPushButton*>("btSalvar"), Qt::LeftButton);
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY2(messages.shown[0].contains(message), qPrintable(messages.shown[0]));
    QVERIFY(!QFile::exists(path)); // nothing written
    QVERIFY(dialog.result() != int(QDialog::Accepted));
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

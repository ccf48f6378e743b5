// The dialogs that add material and set a paper's rules, driven through
// their widgets.
#include "app/MessageBoxes.h"
#include "usermaterial/AddExamDialog.h"
#include "usermaterial/AddPaperDialog.h"
#include "usermaterial/PaperRulesDialog.h"
#include "zipwriter/ZipWriter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
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
    void rulesWriteTheInfoFile();
    void rulesRefused_data();
    void rulesRefused();

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

QTEST_MAIN(AddDialogsTest)
#include "tst_AddDialogs.moc"

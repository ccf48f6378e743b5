// The data folder checker on small folders built here: a good one, then one
// fault at a time, each of which must be reported with the right weight.
// The command-line program is run too, for its JSON and exit codes.
#include "CheckJson.h"
#include "DataFolderCheck.h"
#include "QtImageProbe.h"
#include "support/HazardFile.h"
#include "text/DataFile.h"
#include "text/PtBrCollation.h"
#include "zipwriter/ZipWriter.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <functional>

using namespace zelvora;
using zipwriter::ZipWriter;

namespace {

void Write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY2(f.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(f.write(bytes), bytes.size());
}

void Skin(const QString& path, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(QColor(50, 63, 108));
    QVERIFY(image.save(path, "PNG"));
}

// A one-page PDF with a correct cross-reference table, written by hand (the
// checker opens papers with the PDF engine; a bare "%PDF-" header is junk).
QByteArray OnePagePdf()
{
    const QByteArrayList objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] >>",
    };
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (int i = 0; i < objects.size(); ++i) {
        offsets << pdf.size();
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype o : offsets)
        pdf += QByteArray::number(o).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R >>\nstartxref\n"
        + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

QByteArray ExamZip()
{
    ZipWriter w;
    w.addFile("prova.pdf", "%PDF-1.4\n" + std::string(3000, 'p'));
    w.addFile("gabarito.txt", "1\r\n2\r\n", ZipWriter::Method::Stored);
    return QByteArray::fromStdString(w.finish());
}

// A folder in which nothing is wrong. Texts are Windows-1252 bytes.
void MakeGoodFolder(const QString& d)
{
    Write(d + "/nomes.txt",
          "Funda\xe7\xe3o Beta#T\xe9"
          "cnico#2009#beta.zip\r\n"
          "Org Alfa#Analista#2010#sub\\alfa.zip\r\n"
          "Org Alfa#Analista#2008 - 2\xaa fase#alfa2.zip\r\n");
    Write(d + "/beta.zip", ExamZip());
    Write(d + "/sub/alfa.zip", ExamZip());
    Write(d + "/alfa2.zip", ExamZip());
    Write(d + "/simu/lista.txt", "Zeta#z.pdf\r\nalfa#2008\\a.pdf\r\nAlfa#b.pdf\r\n");
    for (const char* p : {"z", "2008/a", "b"}) {
        Write(d + "/simu/" + p + ".pdf", OnePagePdf());
        Write(d + "/simu/" + p + ".txt", "1\r\n5\r\n3\r\n");
    }
    Skin(d + "/abre.png", 640, 480);
    Skin(d + "/abreon.png", 640, 480);
    Skin(d + "/rodape.png", 630, 39);
    Skin(d + "/rodapeon.png", 630, 39);
    Skin(d + "/simul.png", 1200, 117);
    Skin(d + "/simulon.png", 1200, 117);
    Skin(d + "/botoes.png", 198, 400);
    Skin(d + "/botoeson.png", 198, 400);
}

QMap<QString, QByteArray> Snapshot(const QString& folder)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString p = it.next();
        QFile f(p);
        out.insert(p,
                   f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                               : QByteArray("dir"));
    }
    return out;
}

QString Checker()
{
    return QStringLiteral(ZELVORA_BINARY_DIR "/bin/zelvora-check");
}

using Mutation = std::function<void(const QString&)>;

} // namespace

Q_DECLARE_METATYPE(Mutation)

class TestDataFolderCheck : public QObject {
    Q_OBJECT
private slots:
    void init();
    void goodFolderAsTheProgramShowsIt();
    void eachFaultIsReported_data();
    void eachFaultIsReported();
    void neverExtractsInsideTheDataFolder();
    void commandLine();
    void withoutFolderChecksTheInstalledOne();
    void quotedLinesAreCut();
    void jsonStringEscapes();
    void bigListReportsAHundredOfEachKind();

private:
    check::CheckReport run();
    std::unique_ptr<QTemporaryDir> m_tmp;
    QString m_dir;
    text::PtBrCollation m_collation;
    check::QtImageProbe m_images;
};

void TestDataFolderCheck::init()
{
    m_tmp = std::make_unique<QTemporaryDir>();
    m_dir = m_tmp->filePath("dados");
    MakeGoodFolder(m_dir);
}

check::CheckReport TestDataFolderCheck::run()
{
    const check::DataFolderCheck checker(m_collation, m_images, m_tmp->path().toStdString());
    return checker.Run(m_dir.toStdString());
}

void TestDataFolderCheck::goodFolderAsTheProgramShowsIt()
{
    const auto r = run();
    for (const auto& p : r.problems)
        qWarning("%s", p.line().c_str());
    QVERIFY(r.problems.empty());
    QVERIFY(!r.failed());

    using Row = std::array<std::string, 4>;
    // Sorted by the whole line, texts turned into UTF-8.
    QCOMPARE(r.catalog,
             (std::vector<Row>{{"Fundação Beta", "Técnico", "2009", "beta.zip"},
                               {"Org Alfa", "Analista", "2008 - 2ª fase", "alfa2.zip"},
                               {"Org Alfa", "Analista", "2010", "sub\\alfa.zip"}}));
    QCOMPARE(r.organisations, (std::vector<std::string>{"Fundação Beta", "Org Alfa"}));
    QCOMPARE(r.examTypes, (std::vector<std::string>{"Analista", "Técnico"}));
    QCOMPARE(r.years, (std::vector<std::string>{"2008 - 2ª fase", "2009", "2010"}));
    // The selector's order: letter case ignored, equal names in file order;
    // the path as written in the list.
    using Paper = std::pair<std::string, std::string>;
    QCOMPARE(r.papers, (std::vector<Paper>{{"alfa", "2008\\a.pdf"}, {"Alfa", "b.pdf"}, {"Zeta", "z.pdf"}}));
}

void TestDataFolderCheck::eachFaultIsReported_data()
{
    QTest::addColumn<Mutation>("mutate");
    QTest::addColumn<bool>("error"); // the weight of the one problem expected
    QTest::addColumn<QString>("excerpt"); // part of its text
    QTest::addColumn<int>("count"); // problems expected in all

    const auto rm = [](const char* rel) {
        return Mutation([rel](const QString& d) { QVERIFY(QFile::remove(d + "/" + rel)); });
    };
    const auto put = [](const char* rel, QByteArray bytes) {
        return Mutation([rel, bytes](const QString& d) { Write(d + "/" + rel, bytes); });
    };
    const auto append = [](const char* rel, QByteArray bytes) {
        return Mutation([rel, bytes](const QString& d) {
            QFile f(d + "/" + rel);
            QVERIFY(f.open(QIODevice::Append));
            f.write(bytes);
        });
    };
    QByteArray badCrc = ExamZip();
    badCrc[badCrc.indexOf("1\r\n2")] = '3';

    QTest::newRow("catalog missing") << rm("nomes.txt") << true << "\"nomes.txt\" não existe" << 1;
    QTest::newRow("line without four fields")
        << append("nomes.txt", "Org#Tipo#2011\r\n") << false << "linha ignorada, não tem os quatro campos" << 1;
    QTest::newRow("line equal but for case") << append("nomes.txt", "ORG ALFA#ANALISTA#2010#SUB\\ALFA.ZIP\r\n") << false
                                             << "linha descartada, igual a outra" << 1;
    QTest::newRow("field too long to show")
        << append("nomes.txt", "Org#" + QByteArray(501, 't') + "#2011#alfa2.zip\r\n") << false
        << "\"nomes.txt\": um campo tem 501 caracteres; a janela do catálogo mostra só os 500 primeiros" << 1;
    QTest::newRow("archive missing") << rm("beta.zip") << true << "arquivo \"beta.zip\": o arquivo não existe" << 1;
    QTest::newRow("archive not a zip") << put("sub/alfa.zip", QByteArray(4000, 'q')) << true
                                       << "arquivo \"sub\\alfa.zip\": não abre como arquivo zip" << 1;
    QTest::newRow("archive truncated") << put("alfa2.zip", ExamZip().left(100)) << true << "não abre como arquivo zip"
                                       << 1;
    QTest::newRow("entry fails its CRC") << put("beta.zip", badCrc) << true << "1 arquivo não seria copiado" << 1;
    QTest::newRow("list missing") << rm("simu/lista.txt") << true << "Não foi possível carregar a lista de simulados."
                                  << 1;
    QTest::newRow("list line without #") << append("simu/lista.txt", "Sem separador\r\n") << false
                                         << "linha 4 ignorada: não tem \"#\"" << 1;
    QTest::newRow("list line with absolute path") << append("simu/lista.txt", "Abs#C:\\p.pdf\r\n") << false
                                                  << "linha 4 ignorada: o caminho do PDF é absoluto" << 1;
    QTest::newRow("PDF missing") << rm("simu/2008/a.pdf") << true
                                 << "Simulado \"alfa\": o PDF \"2008\\a.pdf\" não existe" << 1;
    QTest::newRow("PDF not a PDF") << put("simu/b.pdf", "<html>") << true
                                   << "Simulado \"Alfa\": o arquivo \"b.pdf\" não é um PDF" << 1;
    QTest::newRow("key missing") << rm("simu/z.txt") << true << "o gabarito \"z.txt\" não existe" << 1;
    QTest::newRow("key empty") << put("simu/z.txt", "") << true << "o gabarito \"z.txt\" está vazio" << 1;
    QTest::newRow("key lines not 1 to 5")
        << put("simu/z.txt", "1\r\nA\r\n6\r\n\r\n3 \r\n5\r\n") << true << "linhas 2, 3, 4, 5." << 1;
    QTest::newRow("info file: bad duration")
        << put("simu/z.ini", "; z\r\nduracao=logo\r\n") << true
        << "o arquivo de informações \"z.ini\", linha 2: duração \"logo\" não reconhecida" << 1;
    QTest::newRow("info file: unknown key") << put("simu/2008/a.ini", "banca=X\r\n") << false
                                            << "\"2008\\a.ini\", linha 1: chave \"banca\" desconhecida" << 1;
    QTest::newRow("info file: annulled past the end")
        << put("simu/b.ini", "anuladas=2, 4\r\n") << true
        << "\"b.ini\", anuladas: 4 não existe (a prova tem 3 questões)" << 1;
    QTest::newRow("info file: block past the end")
        << put("simu/z.ini", "bloco=A: 1-9; peso=1\r\n") << true
        << "\"z.ini\", bloco \"A\": questões até 9, mas a prova tem 3 questões" << 1;
    QTest::newRow("info file: overlapping blocks") << put("simu/z.ini", "bloco=A: 1-2\r\nbloco=B: 2-3\r\n") << true
                                                   << "a questão 2 está em dois blocos (\"A\" e \"B\")" << 1;
    QTest::newRow("info file: weight and minimum not numbers")
        << put("simu/z.ini", "bloco=A: 1-3; peso=dois; minimo=x\r\n") << true
        << "linha 1: bloco \"A\": peso \"dois\" não é um número maior que zero" << 2;
    QTest::newRow("info file: NUL byte") << put("simu/z.ini", QByteArray("duracao=1:00\r\n\0anuladas=2\r\n", 27))
                                         << true << "linha 2: um byte NUL encerra o texto aqui" << 1;
    QTest::newRow("info file: huge annulled range cut")
        << put("simu/z.ini", "anuladas=1-100000\r\n") << true
        << "anuladas: 4, 5, 6, 7, 8, 9, 10, 11, 12, 13 e mais 99987 não existem (a prova tem 3 questões)" << 1;
    QTest::newRow("right/wrong paper with a digit key")
        << put("simu/z.ini", "tipo=certo-errado\r\n") << true
        << "o gabarito \"z.txt\" tem linhas que não são \"C\" ou \"E\"" << 1;
    QTest::newRow("annulled line of a key may hold anything") << Mutation([](const QString& d) {
        Write(d + "/simu/z.ini", "anuladas=2\r\n");
        Write(d + "/simu/z.txt", "1\r\nX\r\n9\r\n");
    }) << true << "\"z.txt\" tem linhas que não são um dígito de 1 a 5 (nenhuma resposta as acerta): linha 3."
                                                              << 1;
    QTest::newRow("skin missing") << rm("rodapeon.png") << true
                                  << "Imagem \"rodapeon.png\" (barra de botões do catálogo): não existe" << 1;
    QTest::newRow("skin not a PNG") << put("abre.png", "GIF89a") << true
                                    << "Imagem \"abre.png\" (tela de abertura): não é uma imagem PNG" << 1;
    // Only the normal picture: its twin then differs in size as well.
    QTest::newRow("top bar too narrow") << Mutation([](const QString& d) { Skin(d + "/simul.png", 700, 117); }) << true
                                        << "tem 700 x 117; esperado largura pelo menos 781, altura 117" << 2;
    QTest::newRow("pair of different sizes") << Mutation([](const QString& d) { Skin(d + "/botoeson.png", 198, 300); })
                                             << true << "têm tamanhos diferentes (198 x 400 e 198 x 300)" << 1;
    QTest::newRow("top bar far too wide")
        << Mutation([](const QString& d) { Skin(d + "/simul.png", 10241, 117); }) << true
        << "Imagem \"simul.png\" (barra superior do simulado): não é uma imagem PNG" << 1;
    QTest::newRow("PDF header then junk") << put("simu/z.pdf", "%PDF-1.4\n" + QByteArray(3000, '\x9c')) << true
                                          << "Simulado \"Zeta\": o arquivo \"z.pdf\" não é um PDF" << 1;
    QTest::newRow("list path climbs out") << append("simu/lista.txt", "Fora#a\\..\\..\\..\\tmp\\x.pdf\r\n") << false
                                          << "linha 4 ignorada: o caminho do PDF sai da pasta \"simu\"" << 1;

    // Something other than a regular file under its cap, for each kind of file.
    using text::DataFile;
    const struct {
        const char* rel;
        uint64_t cap;
        const char* named;
    } files[] = {
        {"nomes.txt", DataFile::CatalogCap, "\"nomes.txt\" "},
        {"simu/lista.txt", DataFile::ListCap, "\"simu/lista.txt\" "},
        {"simu/z.txt", DataFile::KeyCap, "Simulado \"Zeta\": o gabarito \"z.txt\" "},
        {"simu/z.pdf", DataFile::PaperCap, "Simulado \"Zeta\": o PDF \"z.pdf\" "},
        {"abre.png", DataFile::SkinCap, "Imagem \"abre.png\" (tela de abertura): "},
    };
    const char* reasons[] = {"não é um arquivo comum", "não é um arquivo comum", "não é um arquivo comum", "passa de ",
                             "não existe"};
    for (const auto& f : files) {
        for (size_t i = 0; i < std::size(AllHazards); ++i) {
            const Hazard h = AllHazards[i];
            const QString rel = f.rel;
            const qint64 cap = qint64(f.cap);
            QTest::addRow("%s: %s", f.rel, HazardName(h))
                << Mutation([rel, h, cap](const QString& d) { QVERIFY(MakeHazard(h, d + "/" + rel, cap)); }) << true
                << QString(f.named) + reasons[i] << 1;
        }
    }
}

void TestDataFolderCheck::eachFaultIsReported()
{
    QFETCH(Mutation, mutate);
    QFETCH(bool, error);
    QFETCH(QString, excerpt);
    QFETCH(int, count);
    mutate(m_dir);
    std::optional<check::CheckReport> report;
    {
        // Whichever of them is a pipe, a reader waiting on it is set free.
        const PipeGuard guards[] = {PipeGuard(m_dir + "/nomes.txt"), PipeGuard(m_dir + "/simu/lista.txt"),
                                    PipeGuard(m_dir + "/simu/z.txt"), PipeGuard(m_dir + "/simu/z.pdf"),
                                    PipeGuard(m_dir + "/abre.png")};
        report = run();
        for (const auto& g : guards)
            QVERIFY2(!g.fired(), "the checker waited on a pipe");
    }
    const auto& r = *report;
    QStringList lines;
    for (const auto& p : r.problems)
        lines << QString::fromStdString(p.line());
    QVERIFY2(int(r.problems.size()) == count, qPrintable(lines.join('\n')));
    QCOMPARE(r.problems[0].error, error);
    QVERIFY2(lines[0].contains(excerpt), qPrintable(lines[0]));
    QCOMPARE(r.failed(), error);
}

void TestDataFolderCheck::neverExtractsInsideTheDataFolder()
{
    // A temporary folder that lies inside the data folder is not used.
    const auto before = Snapshot(m_dir);
    const check::DataFolderCheck checker(m_collation, m_images, (m_dir + "/sub").toStdString());
    const auto r = checker.Run(m_dir.toStdString());
    QCOMPARE(Snapshot(m_dir), before);
    QCOMPARE(int(r.problems.size()), 3); // one per archive
    for (const auto& p : r.problems) {
        QVERIFY(!p.error);
        QVERIFY(QString::fromStdString(p.text).contains("cópia não testada"));
    }
}

void TestDataFolderCheck::commandLine()
{
    if (!QFileInfo(Checker()).isExecutable())
        QSKIP("zelvora-check is not built");
    const auto before = Snapshot(m_dir);

    QProcess p;
    p.start(Checker(), {m_dir, "--json"});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 0);
    QJsonParseError err;
    const auto doc = QJsonDocument::fromJson(p.readAllStandardOutput(), &err);
    QCOMPARE(err.error, QJsonParseError::NoError);
    const QJsonObject o = doc.object();
    QCOMPARE(o.keys(), (QStringList{"catalog", "examTypes", "organisations", "papers", "problems", "years"}));
    QCOMPARE(o["catalog"].toArray().size(), 3);
    QCOMPARE(o["catalog"].toArray()[0].toArray()[0].toString(), QString("Fundação Beta"));
    QCOMPARE(o["papers"].toArray()[0].toArray()[1].toString(), QString("2008\\a.pdf"));
    QCOMPARE(o["problems"].toArray().size(), 0);

    // A fault a user would meet: exit 1, the problem on the text report.
    QVERIFY(QFile::remove(m_dir + "/simu/b.txt"));
    const auto broken = Snapshot(m_dir);
    p.start(Checker(), {m_dir});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 1);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    QVERIFY2(out.contains("ERRO: Simulado \"Alfa\": o gabarito \"b.txt\" não existe"), qPrintable(out));
    QVERIFY2(out.contains("1 erro, 0 avisos."), qPrintable(out));
    QCOMPARE(Snapshot(m_dir), broken);
    // The folder only lost the file removed above.
    QCOMPARE(broken.size(), before.size() - 1);

    // The folder given as the program takes it: the same report.
    p.start(Checker(), {"--dados", m_dir});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 1);
    QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()), out);

    // A wrong command line.
    p.start(Checker(), {"--todas", m_dir});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 2);
    p.start(Checker(), {m_dir, m_dir});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 2);
    p.start(Checker(), {m_dir + "/nomes.txt"});
    QVERIFY(p.waitForFinished(60000));
    QCOMPARE(p.exitCode(), 2);
}

// Installed as <prefix>/bin/zelvora-check, with no folder named it checks
// <prefix>/bin/dados when there is one, else <prefix>/share/zelvora/dados.
void TestDataFolderCheck::withoutFolderChecksTheInstalledOne()
{
    if (!QFileInfo(Checker()).isExecutable())
        QSKIP("zelvora-check is not built");
    QTemporaryDir prefix;
    QVERIFY(prefix.isValid());
    QVERIFY(QDir(prefix.path()).mkpath("bin"));
    const QString checker = prefix.filePath("bin/zelvora-check");
    QVERIFY(QFile::copy(Checker(), checker));
    MakeGoodFolder(prefix.filePath("share/zelvora/dados"));

    auto catalogSize = [&](int expectedExit) {
        QProcess p;
        p.start(checker, {"--json"});
        if (!p.waitForFinished(60000) || p.exitCode() != expectedExit)
            return -1;
        return int(QJsonDocument::fromJson(p.readAllStandardOutput()).object()["catalog"].toArray().size());
    };
    QCOMPARE(catalogSize(0), 3);

    // A data folder beside the program comes first, even a broken one.
    QVERIFY(QDir(prefix.path()).mkpath("bin/dados"));
    Write(prefix.filePath("bin/dados/nomes.txt"), "Org#Tipo#2011#falta.zip\r\n");
    QCOMPARE(catalogSize(1), 1);
}

void TestDataFolderCheck::quotedLinesAreCut()
{
    // A line of a megabyte in each list gives a report line of about 200
    // characters, ending with the line's full size.
    const QByteArray longLine(1 << 20, 'x');
    Write(m_dir + "/nomes.txt", longLine + "\r\n");
    Write(m_dir + "/simu/lista.txt", "\xe7" + longLine + "\r\n");
    const auto r = run();
    QCOMPARE(int(r.problems.size()), 4); // with no exam and no paper
    for (const auto& p : {r.problems[0], r.problems[2]}) {
        const QString line = QString::fromStdString(p.line());
        QVERIFY2(line.size() < 400, qPrintable(line.left(400)));
        QVERIFY2(line.contains(QString("\"ç") + QString(199, 'x') + "\u2026\" (1048578 bytes)")
                     || line.contains("\"" + QString(200, 'x') + "\u2026\" (1048576 bytes)"),
                 qPrintable(line));
    }
}

void TestDataFolderCheck::jsonStringEscapes()
{
    QCOMPARE(check::JsonString("a\"b\\c"), std::string("\"a\\\"b\\\\c\""));
    QCOMPARE(check::JsonString("x\ty\x01"), std::string("\"x\\u0009y\\u0001\""));
    QCOMPARE(check::JsonString("ç"), std::string("\"ç\""));
    // A stray byte is never passed on: the output stays valid UTF-8.
    QCOMPARE(check::JsonString("a\xe7z"), std::string("\"a\xEF\xBF\xBDz\""));
}

void TestDataFolderCheck::bigListReportsAHundredOfEachKind()
{
    // Each third of the lines a kind of its own: no "#"; a PDF and key that
    // are not there; one good paper named again and again.
    constexpr int each = 10000;
    QByteArray list;
    for (int i = 0; i < each; ++i) {
        const QByteArray n = QByteArray::number(i);
        list += "Sem separador " + n + "\r\n" + "Falta " + n + "#falta" + n + ".pdf\r\n" + "Boa " + n + "#z.pdf\r\n";
    }
    Write(m_dir + "/simu/lista.txt", list);
    const auto r = run();
    QCOMPARE(r.papers.size(), size_t(2 * each));
    QCOMPARE(r.errorCount(), size_t(2 * each)); // PDF and key of each missing paper
    QCOMPARE(r.warningCount(), size_t(each));

    struct Kind {
        QString excerpt; // in each problem kept of the kind
        QString kind;
        int kept = 0;
        size_t omitted = 0;
    };
    Kind kinds[] = {{"ignorada: não tem \"#\"", "linha de \"simu/lista.txt\" sem \"#\""},
                    {"\": o PDF \"falta", "PDF que não existe"},
                    {"\": o gabarito \"falta", "gabarito que não pode ser lido"}};
    for (const auto& p : r.problems) {
        const QString line = QString::fromStdString(p.line());
        Kind* k = std::find_if(std::begin(kinds), std::end(kinds), [&](const Kind& k) {
            return p.omitted ? QString::fromStdString(p.kind) == k.kind : line.contains(k.excerpt);
        });
        QVERIFY2(k != std::end(kinds), qPrintable(line));
        if (p.omitted == 0) {
            QVERIFY2(k->omitted == 0, "a problem after its kind's count line");
            ++k->kept;
            continue;
        }
        QCOMPARE(k->kept, 100);
        k->omitted = p.omitted;
        QCOMPARE(line.mid(line.indexOf(':') + 2), "... e mais 9900 problemas deste tipo (" + k->kind + ").");
    }
    for (const auto& k : kinds) {
        QCOMPARE(k.kept, 100);
        QCOMPARE(k.omitted, size_t(each - 100));
    }
    QCOMPARE(int(r.problems.size()), 3 * 101);
    // The kept lines are the first ones of the list.
    QVERIFY(QString::fromStdString(r.problems[0].text).contains("linha 1 ignorada"));

    if (!QFileInfo(Checker()).isExecutable())
        QSKIP("zelvora-check is not built");
    QProcess p;
    p.start(Checker(), {m_dir});
    QVERIFY(p.waitForFinished(120000));
    QCOMPARE(p.exitCode(), 1);
    const QStringList out = QString::fromUtf8(p.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(out.size(), 3 * 101 + 1);
    QCOMPARE(out.back(), QString("3 provas no catálogo, 20000 simulados. 20000 erros, 10000 avisos."));

    p.start(Checker(), {m_dir, "--json"});
    QVERIFY(p.waitForFinished(120000));
    const QJsonObject o = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    QCOMPARE(o["problems"].toArray().size(), 3 * 101);
    QCOMPARE(o["errors"].toInt(), 2 * each);
    QCOMPARE(o["warnings"].toInt(), each);
    const QJsonArray omitted = o["omitted"].toArray();
    QCOMPARE(omitted.size(), 3);
    for (const auto& v : omitted) {
        QCOMPARE(v.toObject()["count"].toInt(), each - 100);
        QCOMPARE(v.toObject()["error"].toBool(), v.toObject()["kind"].toString() != kinds[0].kind);
    }
}

QTEST_GUILESS_MAIN(TestDataFolderCheck)
#include "tst_DataFolderCheck.moc"

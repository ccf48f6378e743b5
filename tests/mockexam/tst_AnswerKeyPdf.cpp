// Answer-key PDFs in the layouts boards publish, each made here with the
// numbers and letters at chosen places, read back through Qt PDF's text.
#include "KeyPdfMaker.h"

#include "mockexam/AnswerKeyPdf.h"
#include "mockexam/AnswerKeyText.h"

#include <QBuffer>
#include <QPdfDocument>
#include <QTemporaryDir>
#include <QTest>

using zelvora::mockexam::AnswerKeyPdf;
using zelvora::mockexam::KeyReadCode;
using zelvora::mockexam::KeySheet;

Q_DECLARE_METATYPE(std::vector<KeyPage>)

namespace {

// "title=ABCDE anuladas 3,4 CE" per section, sections joined by " | ".
QString Describe(const KeySheet& sheet)
{
    QStringList out;
    for (const auto& s : sheet.sections) {
        QString one = QString::fromStdString(s.title) + QLatin1Char('=');
        for (const auto& a : s.answers)
            one += QString::fromStdString(a);
        if (!s.annulled.empty()) {
            QStringList numbers;
            for (const int n : s.annulled)
                numbers << QString::number(n);
            one += QStringLiteral(" anuladas ") + numbers.join(QLatin1Char(','));
        }
        if (s.rightWrong)
            one += QStringLiteral(" CE");
        out << one;
    }
    return out.join(QStringLiteral(" | "));
}

QStringList Range(int from, int to, int width = 0)
{
    QStringList out;
    for (int n = from; n <= to; ++n)
        out << QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
    return out;
}

QStringList Letters(const QString& letters)
{
    QStringList out;
    for (const QChar c : letters)
        out << QString(c);
    return out;
}

// A grid: number rows over answer rows, per rows of perRow questions.
void Grid(KeyPage& page, double y, const QString& numberLabel, const QString& answerLabel, const QString& answers,
          int perRow, int width = 0)
{
    for (int start = 0; start < answers.size(); start += perRow) {
        const int count = std::min<int>(perRow, answers.size() - start);
        if (!numberLabel.isEmpty()) {
            page.push_back({40, y, numberLabel});
            page.push_back({40, y + 14, answerLabel});
        }
        KeyPdfMaker::Cells(page, 100, y, Range(start + 1, start + count, width));
        KeyPdfMaker::Cells(page, 102, y + 14, Letters(answers.mid(start, count)));
        y += 40;
    }
}

} // namespace

class TestAnswerKeyPdf : public QObject {
    Q_OBJECT
private slots:
    void layouts_data();
    void layouts();
    void refusals_data();
    void refusals();
    void pastedCopyReadsAlike();
};

void TestAnswerKeyPdf::layouts_data()
{
    QTest::addColumn<std::vector<KeyPage>>("pages");
    QTest::addColumn<QString>("expected");

    {
        KeyPage p;
        p.push_back({40, 40, QStringLiteral("GABARITO PRELIMINAR"), 14});
        KeyPdfMaker::Lines(p, 40, 80, {"01 - A   02 - B   03 - C", "04 - D   05 - E   06 - A"});
        QTest::newRow("pairs in rows") << std::vector<KeyPage>{p} << "GABARITO PRELIMINAR=ABCDEA";
    }
    {
        KeyPage p;
        const QString answers = QStringLiteral("ABCDEEDCBAACEBDDBECA");
        for (int i = 0; i < 10; ++i) {
            p.push_back({40, 80 + 16.0 * i, QStringLiteral("%1-%2").arg(i + 1).arg(answers[i])});
            p.push_back({160, 80 + 16.0 * i, QStringLiteral("%1-%2").arg(i + 11).arg(answers[i + 10])});
        }
        QTest::newRow("pairs in two columns read down") << std::vector<KeyPage>{p} << "=" + answers;
    }
    {
        KeyPage p;
        KeyPdfMaker::Lines(p, 40, 80, {"1-A", "2: c", "3 E", "4) a", "5 . D"});
        QTest::newRow("pair shapes") << std::vector<KeyPage>{p} << "=ACEAD";
    }
    {
        KeyPage p;
        Grid(p, 80, QStringLiteral("Item"), QStringLiteral("Gabarito"), QStringLiteral("CEXCCEECEECCX"), 10);
        p.push_back({40, 200, QStringLiteral("Obs.: ( X ) item anulado.")});
        QTest::newRow("right/wrong grid with X") << std::vector<KeyPage>{p} << "=CEXCCEECEECCX anuladas 3,13 CE";
    }
    {
        KeyPage p;
        Grid(p, 80, QString(), QString(), QStringLiteral("ABCDEABCDEEDCBA"), 10, 2);
        QTest::newRow("two-digit numbers over letters") << std::vector<KeyPage>{p} << "=ABCDEABCDEEDCBA";
    }
    {
        // The cells sit close together, as tables printed in small type do.
        KeyPage p;
        KeyPdfMaker::Cells(p, 100, 80, Range(1, 12), 12);
        KeyPdfMaker::Cells(p, 100, 94, Letters(QStringLiteral("ECCCEEEEECCC")), 12);
        QTest::newRow("tight grid") << std::vector<KeyPage>{p} << "=ECCCEEEEECCC CE";
    }
    {
        KeyPage p;
        KeyPdfMaker::Lines(p, 40, 80, {"1 23456789 1 0 1 1 1 2", "E CCCEEEEE C C C"});
        QTest::newRow("numbers and answers run together") << std::vector<KeyPage>{p} << "=ECCCEEEEECCC CE";
    }
    {
        KeyPage p;
        KeyPdfMaker::Cells(p, 40, 80, {"Questão", "Tipo 1", "Tipo 2", "Tipo 3", "Tipo 4"}, 60);
        const QStringList rows[] = {{"1", "A", "B", "C", "D"}, {"2", "B", "C", "D", "E"}, {"3", "C", "*", "E", "A"}};
        double y = 96;
        for (const auto& r : rows) {
            KeyPdfMaker::Cells(p, 40, y, r, 60);
            y += 16;
        }
        QTest::newRow("booklet table") << std::vector<KeyPage>{p}
                                       << "Tipo 1=ABC | Tipo 2=BCX anuladas 3 | Tipo 3=CDE | Tipo 4=DEA";
    }
    {
        KeyPage p;
        p.push_back({40, 50, QStringLiteral("CARGO 3: ANALISTA"), 12});
        KeyPdfMaker::Lines(p, 40, 80, {"Qst T1 T2 T3 T4", "01 A B C D", "02 E E A B"});
        QTest::newRow("short booklet table under a post")
            << std::vector<KeyPage>{p}
            << "CARGO 3: ANALISTA - T1=AE | CARGO 3: ANALISTA - T2=BE | CARGO 3: ANALISTA - T3=CA | "
               "CARGO 3: ANALISTA - T4=DB";
    }
    {
        KeyPage p;
        KeyPdfMaker::Lines(p, 40, 60, {"Prova Tipo A", "1-A 2-B 3-C", "Prova Tipo B", "1-C 2-A 3-B"});
        QTest::newRow("booklet sections") << std::vector<KeyPage>{p} << "Prova Tipo A=ABC | Prova Tipo B=CAB";
    }
    {
        KeyPage one, two;
        for (KeyPage* p : {&one, &two}) {
            p->push_back({40, 30, QStringLiteral("CONCURSO PÚBLICO - EDITAL Nº 1/2024")});
            p->push_back({40, 800, QStringLiteral("Página %1 de 2").arg(p == &one ? 1 : 2)});
        }
        one.push_back({40, 60, QStringLiteral("CARGO 1: AGENTE DE POLÍCIA"), 12});
        Grid(one, 90, QStringLiteral("Item"), QStringLiteral("Gabarito"), QStringLiteral("CECECEEEEC"), 10);
        two.push_back({40, 60, QStringLiteral("CARGO 2: ESCRIVÃO DE POLÍCIA"), 12});
        Grid(two, 90, QStringLiteral("Item"), QStringLiteral("Gabarito"), QStringLiteral("EEXCC"), 10);
        QTest::newRow("two posts on two pages")
            << std::vector<KeyPage>{one, two}
            << "CARGO 1: AGENTE DE POLÍCIA=CECECEEEEC CE | CARGO 2: ESCRIVÃO DE POLÍCIA=EEXCC anuladas 3 CE";
    }
    {
        KeyPage p;
        KeyPdfMaker::Lines(
            p, 40, 60,
            {"005. PROVA OBJETIVA - AGENTE ADMINISTRATIVO", "1-A 2-B", "006. PROVA OBJETIVA - ANALISTA", "1-E 2-D"});
        QTest::newRow("numbered post titles")
            << std::vector<KeyPage>{p}
            << "005. PROVA OBJETIVA - AGENTE ADMINISTRATIVO=AB | 006. PROVA OBJETIVA - ANALISTA=ED";
    }
    {
        KeyPage p;
        KeyPdfMaker::Lines(p, 40, 60, {"01 - A 02 - NULA 03 - *", "04 - ANULADA 05 - b", "* Questão anulada"});
        QTest::newRow("annulled words and legend") << std::vector<KeyPage>{p} << "=AXXXB anuladas 2,3,4";
    }
    {
        KeyPage p;
        p.push_back({80, 600, QStringLiteral("RASCUNHO"), 90, -45});
        KeyPdfMaker::Lines(p, 40, 80, {"1-A 2-B 3-C", "4-D 5-E"});
        QTest::newRow("watermark across the page") << std::vector<KeyPage>{p} << "=ABCDE";
    }
    {
        KeyPage one, two;
        one.push_back({40, 30, QStringLiteral("Publicado em 12/05/2024")});
        one.push_back({40, 60, QStringLiteral("CARGO 7: TÉCNICO")});
        KeyPdfMaker::Lines(one, 40, 80, {"Língua Portuguesa", "1-A 2-B", "Matemática", "3-C 4-D"});
        one.push_back({500, 800, QStringLiteral("1/2")});
        two.push_back({40, 60, QStringLiteral("CARGO 7: TÉCNICO")});
        KeyPdfMaker::Lines(two, 40, 80, {"5-E 6-A"});
        two.push_back({500, 800, QStringLiteral("2/2")});
        QTest::newRow("dates, page numbers, subjects, post continued")
            << std::vector<KeyPage>{one, two} << "CARGO 7: TÉCNICO=ABCDEA";
    }
    {
        KeyPage p;
        KeyPdfMaker::Lines(p, 40, 60, {"GABARITO", "1-A 2-B", "1-C 2-D"});
        QTest::newRow("numbering starts again without a title") << std::vector<KeyPage>{p} << "GABARITO=AB | =CD";
    }
}

void TestAnswerKeyPdf::layouts()
{
    QFETCH(std::vector<KeyPage>, pages);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("gabarito.pdf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(KeyPdfMaker::Write(pages));
    file.close();
    const auto sheet = AnswerKeyPdf::Read(path);
    // The lines as rebuilt, to tell a misread layout from a misbuilt line.
    QPdfDocument document;
    document.load(path);
    const std::string lines = AnswerKeyPdf::AsText(AnswerKeyPdf::PageLines(document));
    QVERIFY2(sheet.ok(), (sheet.detail() + "\n" + lines).c_str());
    if (Describe(sheet.value()) != expected)
        qWarning("%s", lines.c_str());
    QCOMPARE(Describe(sheet.value()), expected);
}

void TestAnswerKeyPdf::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("code");

    KeyPage gap;
    KeyPdfMaker::Lines(gap, 40, 60, {"1-A 2-B 4-D"});
    KeyPage words;
    KeyPdfMaker::Lines(words, 40, 60, {"Resultado final do concurso", "Nenhuma resposta aqui"});
    QTest::newRow("a question missing") << KeyPdfMaker::Write({gap}) << int(KeyReadCode::Incomplete);
    QTest::newRow("only words") << KeyPdfMaker::Write({words}) << int(KeyReadCode::NoAnswers);
    QTest::newRow("no text at all") << KeyPdfMaker::Write({KeyPage{}}) << int(KeyReadCode::NoText);
    QTest::newRow("not a PDF") << QByteArray("%PDF-1.4\n") + QByteArray(2000, 'x') << int(KeyReadCode::NotAPdf);
}

void TestAnswerKeyPdf::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, code);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("k.pdf"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const auto sheet = AnswerKeyPdf::Read(path);
    QVERIFY(!sheet.ok());
    QCOMPARE(int(sheet.code()), code);
    QCOMPARE(int(AnswerKeyPdf::Read(dir.filePath(QStringLiteral("none.pdf"))).code()), int(KeyReadCode::Missing));
}

// The text a user copies out of the PDF reads as the PDF does.
void TestAnswerKeyPdf::pastedCopyReadsAlike()
{
    KeyPage p;
    p.push_back({40, 40, QStringLiteral("CARGO 1: AGENTE"), 12});
    Grid(p, 80, QStringLiteral("Item"), QStringLiteral("Gabarito"), QStringLiteral("CEXCCEECEECC"), 10);
    QByteArray bytes = KeyPdfMaker::Write({p});
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QPdfDocument document;
    document.load(&buffer);
    const auto pages = AnswerKeyPdf::PageLines(document);
    const auto fromText = zelvora::mockexam::AnswerKeyText::ReadSheet(AnswerKeyPdf::AsText(pages));
    QVERIFY(fromText.ok());
    QCOMPARE(Describe(fromText.value()), QStringLiteral("CARGO 1: AGENTE=CEXCCEECEECC anuladas 3 CE"));
    const QString raw = document.getAllText(0).text();
    const auto fromRaw = zelvora::mockexam::AnswerKeyText::ReadSheet(raw.toStdString());
    QVERIFY(fromRaw.ok());
    QCOMPARE(Describe(fromRaw.value()), Describe(fromText.value()));
}

QTEST_MAIN(TestAnswerKeyPdf)
#include "tst_AnswerKeyPdf.moc"

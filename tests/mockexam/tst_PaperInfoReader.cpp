// The paper's info file: each key's spellings, what cannot be read, and how
// the file fits the paper's key.
#include "mockexam/PaperInfoReader.h"
#include "mockexam/PaperPath.h"
#include "text/TextList.h"

#include <QTest>

using namespace zelvora::mockexam;

namespace {

std::vector<std::string> Lines(const QByteArray& cp1252)
{
    return zelvora::text::SplitTextLines(cp1252.toStdString());
}

QString Problems(const PaperInfoReading& r)
{
    QStringList out;
    for (const auto& p : r.problems)
        out << QStringLiteral("%1%2").arg(p.error ? "E" : "W").arg(p.line);
    return out.join(' ');
}

template <size_t N>
QByteArray Bytes(const char (&s)[N])
{
    return QByteArray(s, qsizetype(N - 1));
}

QString Ranges(const std::vector<std::pair<int, int>>& ranges)
{
    QStringList out;
    for (const auto& [a, b] : ranges)
        out << (a == b ? QString::number(a) : QStringLiteral("%1-%2").arg(a).arg(b));
    return out.join(',');
}

} // namespace

class TestPaperInfoReader : public QObject {
    Q_OBJECT
private slots:
    void duration_data();
    void duration();
    void ranges_data();
    void ranges();
    void parse_data();
    void parse();
    void checkAgainstKey_data();
    void checkAgainstKey();
    void boardRules_data();
    void boardRules();
    void hostileFiles_data();
    void hostileFiles();
    void writeReadsBack_data();
    void writeReadsBack();
    void infoPathBesideTheKey();
};

void TestPaperInfoReader::duration_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("seconds"); // -1: not a duration
    QTest::newRow("h:mm") << QByteArray("3:00") << 10800;
    QTest::newRow("h:mm with minutes") << QByteArray("2:30") << 9000;
    QTest::newRow("h:mm:ss") << QByteArray("0:45:30") << 2730;
    QTest::newRow("minutes") << QByteArray("180") << 10800;
    QTest::newRow("2h30") << QByteArray("2h30") << 9000;
    QTest::newRow("2h") << QByteArray("2h") << 7200;
    QTest::newRow("90min") << QByteArray("90min") << 5400;
    QTest::newRow("words") << QByteArray("4 horas e 30 minutos") << 16200;
    QTest::newRow("capitals") << QByteArray("3 HORAS") << 10800;
    QTest::newRow("no limit") << QByteArray("sem limite") << 0;
    QTest::newRow("one digit of minutes") << QByteArray("3:0") << -1;
    QTest::newRow("60 minutes after colon") << QByteArray("1:60") << -1;
    QTest::newRow("zero") << QByteArray("0") << -1;
    QTest::newRow("over a day") << QByteArray("25:00") << -1;
    QTest::newRow("text") << QByteArray("tres horas") << -1;
    QTest::newRow("empty") << QByteArray("") << -1;
    QTest::newRow("hours twice") << QByteArray("1h 2h") << -1;
    QTest::newRow("huge number") << QByteArray("99999999999") << -1;
    QTest::newRow("negative h:mm") << QByteArray("-1:00") << -1;
    QTest::newRow("negative minutes") << QByteArray("-90") << -1;
    QTest::newRow("negative after blanks") << QByteArray("  -2h") << -1;
}

void TestPaperInfoReader::duration()
{
    QFETCH(QByteArray, value);
    QFETCH(int, seconds);
    QCOMPARE(PaperInfoReader::ParseDuration(value.toStdString()).value_or(-1), seconds);
}

void TestPaperInfoReader::ranges_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("ranges");
    QTest::addColumn<int>("bad");
    QTest::newRow("list") << QByteArray("7, 31") << "7,31" << 0;
    QTest::newRow("ranges") << QByteArray("1-10, 21-25") << "1-10,21-25" << 0;
    QTest::newRow("spaces and semicolons") << QByteArray("7 9; 12 - 14") << "7,9,12-14" << 0;
    QTest::newRow("word a and en dash") << QByteArray("1 a 5, 6\x96"
                                                      "8")
                                        << "1-5,6-8" << 0;
    QTest::newRow("bad item kept apart") << QByteArray("3, x, 5") << "3,5" << 1;
    QTest::newRow("backwards range") << QByteArray("9-2, 4") << "4" << 1;
    QTest::newRow("zero") << QByteArray("0, 1") << "1" << 1;
    QTest::newRow("dangling dash") << QByteArray("4-") << "" << 1;
    QTest::newRow("empty") << QByteArray("") << "" << 0;
}

void TestPaperInfoReader::ranges()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, ranges);
    QFETCH(int, bad);
    std::vector<std::string> badItems;
    QCOMPARE(Ranges(PaperInfoReader::ParseRanges(value.toStdString(), &badItems)), ranges);
    QCOMPARE(int(badItems.size()), bad);
}

void TestPaperInfoReader::parse_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("duration"); // -1 none
    QTest::addColumn<bool>("rightWrong");
    QTest::addColumn<bool>("cancelling");
    QTest::addColumn<QString>("annulled");
    QTest::addColumn<QString>("subjects");
    QTest::addColumn<QString>("problems"); // E/W and line

    QTest::newRow("empty file") << QByteArray("") << -1 << false << false << ""
                                << ""
                                << "";
    QTest::newRow("every key") << QByteArray("; prova\r\nduracao=3:00\r\ntipo=certo-errado\r\npontuacao=anula\r\n"
                                             "anuladas=7, 31\r\ndisciplina=L\xedngua Portuguesa: 1-10, 21-25\r\n"
                                             "disciplina=Direito: 11-20")
                               << 10800 << true << true << "7,31"
                               << "Língua Portuguesa=1-10,21-25;Direito=11-20"
                               << "";
    QTest::newRow("accents, case and spaces")
        << QByteArray("  DURA\xc7\xc3O = 2h30 \nTipo=M\xfaltipla Escolha\nPontua\xe7\xe3o=Simples") << 9000 << false
        << false << ""
        << ""
        << "";
    QTest::newRow("sections, comments, blanks")
        << QByteArray("[prova]\n\n; duracao=1:00\n   ; x\nduracao=1:30") << 5400 << false << false << ""
        << ""
        << "";
    QTest::newRow("unknown key and no =")
        << QByteArray("banca=X\nsem igual\nduracao=1:00") << 3600 << false << false << ""
        << ""
        << "W1 W2";
    QTest::newRow("bad values keep defaults")
        << QByteArray("duracao=logo\ntipo=dissertativa\npontuacao=dobro") << -1 << false << false << ""
        << ""
        << "E1 E2 E3";
    QTest::newRow("repeated key, last wins") << QByteArray("duracao=1:00\nduracao=2:00") << 7200 << false << false << ""
                                             << ""
                                             << "W2";
    QTest::newRow("bad duration after a good one")
        << QByteArray("duracao=1:00\nduracao=xx") << -1 << false << false << ""
        << ""
        << "W2 E2";
    QTest::newRow("annulled repeatable, sorted, once each")
        << QByteArray("anuladas=31, 7\nanulada=7, 2-3, q") << -1 << false << false << "2,3,7,31"
        << ""
        << "E2";
    QTest::newRow("subject without ranges or name")
        << QByteArray("disciplina=Direito\ndisciplina=: 1-3\ndisciplina=X: y") << -1 << false << false << ""
        << ""
        << "E1 E2 E3";
    QTest::newRow("subject name with a colon")
        << QByteArray("disciplina=Lei 8.112: servidores: 4-6") << -1 << false << false << ""
        << "Lei 8.112: servidores=4-6"
        << "";
    QTest::newRow("no limit spelled out") << QByteArray("duracao=sem limite") << -1 << false << false << ""
                                          << ""
                                          << "";
    QTest::newRow("saved as UTF-8") << QByteArray("\xef\xbb\xbf"
                                                  "disciplina=L\xc3\xadngua: 1-2")
                                    << -1 << false << false << ""
                                    << "Língua=1-2"
                                    << "W0";
}

void TestPaperInfoReader::parse()
{
    QFETCH(QByteArray, file);
    QFETCH(int, duration);
    QFETCH(bool, rightWrong);
    QFETCH(bool, cancelling);
    QFETCH(QString, annulled);
    QFETCH(QString, subjects);
    QFETCH(QString, problems);
    const PaperInfoReading r = PaperInfoReader::Parse(Lines(file));
    QCOMPARE(r.info.durationSeconds.value_or(-1), duration);
    QCOMPARE(r.info.itemType == ItemType::RightWrong, rightWrong);
    QCOMPARE(r.info.scoring == ScoringRule::Cancelling, cancelling);
    QStringList a;
    for (const int q : r.info.annulled)
        a << QString::number(q);
    QCOMPARE(a.join(','), annulled);
    QStringList s;
    for (const auto& subject : r.info.subjects)
        s << QString::fromStdString(subject.name) + '=' + Ranges(subject.ranges);
    QCOMPARE(s.join(';'), subjects);
    QCOMPARE(Problems(r), problems);
}

void TestPaperInfoReader::checkAgainstKey_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("key");
    QTest::addColumn<QStringList>("excerpts"); // one per problem, in order

    const QStringList digits = {"1", "2", "3", "4"};
    QTest::newRow("all fits") << QByteArray("anuladas=2\ndisciplina=A: 1-2\ndisciplina=B: 3-4") << digits
                              << QStringList{};
    QTest::newRow("annulled past the end") << QByteArray("anuladas=3, 9, 12") << digits
                                           << QStringList{"anuladas: 9, 12 não existem (a prova tem 4 questões)"};
    QTest::newRow("subject past the end")
        << QByteArray("disciplina=A: 1-6") << digits
        << QStringList{"disciplina \"A\": questões até 6, mas a prova tem 4 questões"};
    QTest::newRow("question in two subjects") << QByteArray("disciplina=A: 1-3\ndisciplina=B: 3-4") << digits
                                              << QStringList{"a questão 3 está em duas disciplinas"};
    QTest::newRow("right/wrong key with digits")
        << QByteArray("tipo=certo-errado") << QStringList{"C", "E", "1", "c"}
        << QStringList{"não são \"C\" ou \"E\" (nenhuma resposta as acerta): linhas 3, 4."};
    QTest::newRow("letters in a multiple-choice key")
        << QByteArray("") << QStringList{"1", "C"}
        << QStringList{"não são um dígito de 1 a 5 (nenhuma resposta as acerta): linha 2."};
    QTest::newRow("annulled line may hold anything")
        << QByteArray("anuladas=2") << QStringList{"1", "X"} << QStringList{};
    QTest::newRow("block past the end") << QByteArray("bloco=B: 1-9; peso=1") << digits
                                        << QStringList{"bloco \"B\": questões até 9, mas a prova tem 4 questões"};
    QTest::newRow("overlapping blocks")
        << QByteArray("bloco=A: 1-3\nbloco=B: 3-4") << digits
        << QStringList{"a questão 3 está em dois blocos (\"A\" e \"B\"); no total ela conta só no primeiro"};
    QTest::newRow("huge annulled range cut after ten")
        << QByteArray("anuladas=3-100000") << digits
        << QStringList{"anuladas: 5, 6, 7, 8, 9, 10, 11, 12, 13, 14 e mais 99986 não existem (a prova tem 4 questões)"};
}

void TestPaperInfoReader::checkAgainstKey()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, key);
    QFETCH(QStringList, excerpts);
    std::vector<std::string> k;
    for (const auto& line : key)
        k.push_back(line.toStdString());
    const auto problems = PaperInfoReader::CheckAgainstKey(PaperInfoReader::Parse(Lines(file)).info, k);
    QStringList texts;
    for (const auto& p : problems)
        texts << QString::fromStdString(p.text);
    QCOMPARE(texts.size(), excerpts.size());
    for (int i = 0; i < texts.size(); ++i)
        QVERIFY2(texts[i].contains(excerpts[i]), qPrintable(texts[i]));
}

void TestPaperInfoReader::boardRules_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("blocks"); // name=ranges/weight/minimum
    QTest::addColumn<QString>("weights"); // subject=weight, "-" for none
    QTest::addColumn<QString>("totals"); // minimum/cutoff/rule, "-" for none
    QTest::addColumn<QString>("problems");

    QTest::newRow("nothing set") << QByteArray("tipo=multipla") << ""
                                 << ""
                                 << "-/-/todos"
                                 << "";
    QTest::newRow("blocks, minimum, cut-off with a comma")
        << QByteArray("bloco=Conhecimentos B\xe1sicos: 1-50; peso=1; minimo=10\n"
                      "bloco=Espec\xed"
                      "ficos: 51-120; peso=2; M\xcdNIMO = 12,5\nminimo=36\ncorte=61,5")
        << "Conhecimentos Básicos=1-50/1/10;Específicos=51-120/2/12.5"
        << ""
        << "36/61.5/todos"
        << "";
    QTest::newRow("cut-off with a point, excluding rule") << QByteArray("corte=70.25\nanuladas_regra=exclui") << ""
                                                          << ""
                                                          << "-/70.25/exclui"
                                                          << "";
    QTest::newRow("subject weights") << QByteArray("disciplina=A: 1-5; peso=2\ndisciplina=B: 6-7") << ""
                                     << "A=2;B=-"
                                     << "-/-/todos"
                                     << "";
    QTest::newRow("block without options weighs 1") << QByteArray("bloco=X: 1-4") << "X=1-4/1/-"
                                                    << ""
                                                    << "-/-/todos"
                                                    << "";
    QTest::newRow("weights and minimums that are no numbers")
        << QByteArray("bloco=X: 1-4; peso=dois; minimo=-3\ndisciplina=A: 1; peso=0\nminimo=muito\ncorte=6,")
        << "X=1-4/1/-"
        << "A=-"
        << "-/-/todos"
        << "E1 E1 E2 E3 E4";
    QTest::newRow("unknown option, minimum on a subject")
        << QByteArray("bloco=X: 1-4; bonus=2\ndisciplina=A: 1-2; minimo=1") << "X=1-4/1/-"
        << "A=-"
        << "-/-/todos"
        << "E1 W2";
    QTest::newRow("unknown rule, repeated cut-off") << QByteArray("anuladas_regra=metade\ncorte=1\ncorte=2") << ""
                                                    << ""
                                                    << "-/2/todos"
                                                    << "E1 W3";
    QTest::newRow("block named twice, block without questions")
        << QByteArray("bloco=X: 1-4\nbloco=x: 5-6\nbloco=Y: ; peso=2") << "X=1-4/1/-"
        << ""
        << "-/-/todos"
        << "E2 E3";
}

void TestPaperInfoReader::boardRules()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, blocks);
    QFETCH(QString, weights);
    QFETCH(QString, totals);
    QFETCH(QString, problems);
    const PaperInfoReading r = PaperInfoReader::Parse(Lines(file));
    const auto number = [](const std::optional<double>& v) { return v ? QString::number(*v) : QStringLiteral("-"); };
    QStringList b;
    for (const auto& block : r.info.blocks)
        b << QString::fromStdString(block.name) + '=' + Ranges(block.ranges) + '/' + QString::number(block.weight) + '/'
                + number(block.minimum);
    QCOMPARE(b.join(';'), blocks);
    QStringList w;
    for (const auto& subject : r.info.subjects)
        w << QString::fromStdString(subject.name) + '=' + number(subject.weight);
    QCOMPARE(w.join(';'), weights);
    QCOMPARE(number(r.info.totalMinimum) + '/' + number(r.info.cutoff) + '/'
                 + (r.info.annulledRule == AnnulledRule::Excluded ? "exclui" : "todos"),
             totals);
    QCOMPARE(Problems(r), problems);
}

// Files no keeper writes but a user may be handed: each is built here and
// must read in time and memory that follow its size, with what is left out
// said once.
void TestPaperInfoReader::hostileFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("subjects");
    QTest::addColumn<int>("annulled");
    QTest::addColumn<int>("problems");
    QTest::addColumn<QString>("excerpt"); // in the last problem

    QByteArray manySubjects;
    for (int i = 0; i < 10000; ++i)
        manySubjects += "disciplina=D" + QByteArray::number(i) + ": 1-100000\r\n";
    QTest::newRow("10,000 subjects over every question")
        << manySubjects << int(PaperInfoReader::MaxSubjects) << 0 << 1
        << "mais de 200 disciplinas: 9800 foram ignoradas a partir desta linha.";
    QByteArray sameSubject;
    for (int i = 0; i < 5000; ++i)
        sameSubject += "disciplina=Direito: 1-100000\n";
    QTest::newRow("one subject repeated")
        << sameSubject << 1 << 0 << int(PaperInfoReader::MaxProblems) + 1 << "e mais 4899 problemas não listados.";
    QByteArray hugeAnnulled;
    for (int i = 0; i < 10000; ++i)
        hugeAnnulled += "anuladas=1-100000\n";
    QTest::newRow("a huge annulled range repeated") << hugeAnnulled << 0 << 100000 << 0 << "";
    QTest::newRow("NUL byte cuts the rest")
        << Bytes("duracao=1:00\ntipo=certo-\0errado\nanuladas=3\n") << 0 << 0 << 2 << "tipo \"certo-\" não reconhecido";
    QTest::newRow("NUL byte at a line start")
        << Bytes("anuladas=3\n\0anuladas=4\n") << 0 << 1 << 1
        << "um byte NUL encerra o texto aqui; o resto do arquivo (12 bytes, 1 linha depois dele) não foi lido.";
}

void TestPaperInfoReader::hostileFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(int, subjects);
    QFETCH(int, annulled);
    QFETCH(int, problems);
    QFETCH(QString, excerpt);
    const PaperInfoReading r = PaperInfoReader::Read(std::string_view(file.constData(), size_t(file.size())));
    QCOMPARE(int(r.info.subjects.size()), subjects);
    QCOMPARE(int(r.info.annulled.size()), annulled);
    QCOMPARE(int(r.problems.size()), problems);
    if (!excerpt.isEmpty())
        QVERIFY2(QString::fromStdString(r.problems.back().text).contains(excerpt), r.problems.back().text.c_str());
    for (const auto& s : r.info.subjects)
        QVERIFY(s.ranges.size() == 1);
    if (file.contains('\0')) {
        QVERIFY(r.problems.front().text.find("byte NUL") != std::string::npos);
        QCOMPARE(r.problems.front().line, file.left(file.indexOf('\0')).count('\n') + 1);
    }
    // The checks against a 100-question key stay short as well.
    const std::vector<std::string> key(100, "1");
    const auto checked = PaperInfoReader::CheckAgainstKey(r.info, key);
    QVERIFY2(checked.size() <= 25, std::to_string(checked.size()).c_str());
    for (const auto& p : checked)
        QVERIFY2(p.text.size() < 400, p.text.c_str());
}

void TestPaperInfoReader::writeReadsBack_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("plain") << QByteArray("tipo=multipla\npontuacao=simples");
    QTest::newRow("every key") << QByteArray(
        "duracao=4:30\ntipo=certo-errado\npontuacao=anula\nanuladas=7, 31-33, 40\n"
        "anuladas_regra=exclui\nbloco=B\xe1sicos: 1-50; peso=1; minimo=10\n"
        "bloco=Espec\xed"
        "ficos: 51-120; peso=1,5; minimo=12,25\n"
        "disciplina=L\xedngua Portuguesa: 1-10, 21-25; peso=2\ndisciplina=Direito: 11-20\n"
        "minimo=36\ncorte=61,5");
}

void TestPaperInfoReader::writeReadsBack()
{
    QFETCH(QByteArray, file);
    const PaperInfo info = PaperInfoReader::Parse(Lines(file)).info;
    const std::string written = PaperInfoReader::Write(info, {"Técnico - 2009"});
    QVERIFY(written.rfind("; T\xe9"
                          "cnico - 2009\r\n",
                          0)
            == 0); // Windows-1252, CR LF
    QCOMPARE(std::count(written.begin(), written.end(), '\n'), std::count(written.begin(), written.end(), '\r'));
    const PaperInfoReading again = PaperInfoReader::Read(written);
    QVERIFY(again.problems.empty());
    QVERIFY(again.info.durationSeconds == info.durationSeconds);
    QVERIFY(again.info.itemType == info.itemType && again.info.scoring == info.scoring);
    QVERIFY(again.info.annulled == info.annulled && again.info.annulledRule == info.annulledRule);
    QVERIFY(again.info.blocks == info.blocks);
    QVERIFY(again.info.subjects == info.subjects);
    QVERIFY(again.info.totalMinimum == info.totalMinimum && again.info.cutoff == info.cutoff);
}

void TestPaperInfoReader::infoPathBesideTheKey()
{
    QCOMPARE(QString::fromStdString(PaperPath::InfoPathFor("2008\\prova01.pdf")), QStringLiteral("2008\\prova01.ini"));
    QCOMPARE(QString::fromStdString(PaperPath::InfoPathFor("prova01")), QStringLiteral("prova01.ini"));
    QCOMPARE(QString::fromStdString(PaperPath::InfoPathFor("v1.2\\prova")), QStringLiteral("v1.2\\prova.ini"));
}

QTEST_APPLESS_MAIN(TestPaperInfoReader)
#include "tst_PaperInfoReader.moc"

// The generated sample data folder: every file the program reads is there, at
// the right size and in the right format, and the folder is the same byte for
// byte each time it is written.
#include "mockexam/PaperInfoReader.h"
#include "PaperWriter.h"
#include "QuestionBank.h"
#include "SampleFolderWriter.h"
#include "SkinPainter.h"
#include "text/TextList.h"
#include "text/Windows1252.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QHashSeed>
#include <QImage>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <set>

using zelvora::sampledata::PaperWriter;
using zelvora::sampledata::QuestionBank;
using zelvora::sampledata::SampleFolderWriter;
using zelvora::sampledata::SkinPainter;

namespace {

std::vector<std::string> readLines(const QString& path)
{
    const auto lines = zelvora::text::ReadTextList(path.toStdString());
    return lines ? *lines : std::vector<std::string>{};
}

std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t hash; (hash = line.find('#', start)) != std::string::npos && out.size() < 3; start = hash + 1)
        out.push_back(line.substr(start, hash - start));
    out.push_back(line.substr(start));
    return out;
}

QByteArray run(const QString& program, const QStringList& arguments, int* exitCode)
{
    QProcess process;
    process.start(program, arguments);
    *exitCode = -1;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        *exitCode = process.exitCode();
    return process.readAllStandardOutput();
}

QMap<QString, QByteArray> hashes(const QString& folder)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            out.insert(QDir(folder).relativeFilePath(path),
                       QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
    }
    return out;
}

} // namespace

class tst_SampleFolder : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_folder;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_folder = m_dir.filePath(QStringLiteral("dados"));
        SampleFolderWriter::Write(m_folder);
    }

    void skinPairs_data()
    {
        QTest::addColumn<int>("index");
        const auto specs = SkinPainter::Specs();
        for (std::size_t i = 0; i < specs.size(); ++i)
            QTest::newRow(qPrintable(specs[i].normalFile)) << static_cast<int>(i);
    }

    // Both pictures of a pair have the skin's size; they differ inside every
    // hot zone (each button has a pressed look) and nowhere else, since a press
    // copies only the zone's rectangle from the pressed picture. The "@2x"
    // twins follow the same rule at twice the size, zones scaled with them.
    void skinPairs()
    {
        QFETCH(int, index);
        const auto spec = SkinPainter::Specs()[index];
        for (const int scale : {1, 2}) {
            const auto name = [scale](QString file) {
                return scale == 1 ? file : file.insert(file.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
            };
            const QImage normal(m_folder + QLatin1Char('/') + name(spec.normalFile), "png");
            const QImage pressed(m_folder + QLatin1Char('/') + name(spec.pressedFile), "png");
            const QSize size = spec.size * scale;
            QCOMPARE(normal.size(), size);
            QCOMPARE(pressed.size(), size);

            const QRect picture(QPoint(0, 0), size);
            std::vector<QRect> zones;
            for (const QRect& zone : spec.hotZones)
                zones.emplace_back(zone.topLeft() * scale, zone.size() * scale);
            std::vector<int> changedInZone(zones.size(), 0);
            int changedOutside = 0;
            for (int y = 0; y < size.height(); ++y) {
                for (int x = 0; x < size.width(); ++x) {
                    if (normal.pixel(x, y) == pressed.pixel(x, y))
                        continue;
                    bool inside = false;
                    for (std::size_t z = 0; z < zones.size(); ++z) {
                        if (zones[z].intersected(picture).contains(x, y)) {
                            ++changedInZone[z];
                            inside = true;
                        }
                    }
                    changedOutside += inside ? 0 : 1;
                }
            }
            QCOMPARE(changedOutside, 0);
            for (std::size_t z = 0; z < zones.size(); ++z)
                QVERIFY2(changedInZone[z] > 100, qPrintable(QStringLiteral("zone %1 has no pressed look").arg(z)));
        }
    }

    // A hot zone rectangle overlaps its neighbour by a pixel; a button drawn
    // into the shared column would be cut by the neighbour's press.
    void neighbouringZonesShareNoButtonPixels()
    {
        for (const auto& spec : SkinPainter::Specs()) {
            const QImage normal(m_folder + QLatin1Char('/') + spec.normalFile, "png");
            const QImage pressed(m_folder + QLatin1Char('/') + spec.pressedFile, "png");
            for (std::size_t a = 0; a < spec.hotZones.size(); ++a) {
                for (std::size_t b = a + 1; b < spec.hotZones.size(); ++b) {
                    const QRect shared = spec.hotZones[a].intersected(spec.hotZones[b]).intersected(normal.rect());
                    for (int y = shared.top(); y <= shared.bottom(); ++y)
                        for (int x = shared.left(); x <= shared.right(); ++x)
                            QVERIFY2(normal.pixel(x, y) == pressed.pixel(x, y),
                                     qPrintable(spec.normalFile + QStringLiteral(" at %1,%2").arg(x).arg(y)));
                }
            }
        }
    }

    void splashButtonIsWhole_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("scale");
        QTest::newRow("abre.png") << "abre.png" << 1;
        QTest::newRow("abreon.png") << "abreon.png" << 1;
        QTest::newRow("abre@2x.png") << "abre@2x.png" << 2;
        QTest::newRow("abreon@2x.png") << "abreon@2x.png" << 2;
    }

    // The "Entrar" button stands clear of the picture's left edge with its
    // corners rounded there too, at both scales and pressed or not.
    void splashButtonIsWhole()
    {
        QFETCH(QString, file);
        QFETCH(int, scale);
        const QImage image(m_folder + QLatin1Char('/') + file, "png");
        QVERIFY(!image.isNull());
        // The button is amber; the sky around it is blue.
        const auto amber = [&](int x, int y) {
            const QColor c = image.pixelColor(x * scale, y * scale);
            return c.red() > c.blue() + 60;
        };
        const int left = SkinPainter::SplashButtonLeft;
        QVERIFY(amber(left + 5, 440));
        for (int y = 412; y < 470; ++y)
            for (int x = 0; x < left; ++x)
                QVERIFY2(!amber(x, y), qPrintable(QStringLiteral("button at %1,%2").arg(x).arg(y)));
        // Rounded: the corner points of its rectangle are sky, left and right.
        for (const QPoint corner : {QPoint(left + 1, 413), QPoint(left + 1, 467), QPoint(left + 129, 413)})
            QVERIFY2(!amber(corner.x(), corner.y()),
                     qPrintable(QStringLiteral("corner %1,%2").arg(corner.x()).arg(corner.y())));
    }

    void catalog()
    {
        QFile raw(m_folder + QStringLiteral("/nomes.txt"));
        QVERIFY(raw.open(QIODevice::ReadOnly));
        const QByteArray bytes = raw.readAll();
        // Windows-1252, not UTF-8: "Fundação" is written with single-byte letters.
        QVERIFY(!zelvora::text::IsValidUtf8(bytes.toStdString()));
        QVERIFY(bytes.contains("Funda\xE7\xE3o"));
        QVERIFY(bytes.contains("2008 - 2\xAA fase"));

        const auto lines = readLines(raw.fileName());
        QVERIFY(lines.size() >= 40);
        std::set<std::string> organisations, types, years, archives;
        for (const std::string& line : lines) {
            const auto f = fields(line);
            QCOMPARE(f.size(), std::size_t(4));
            organisations.insert(f[0]);
            types.insert(f[1]);
            years.insert(f[2]);
            QVERIFY2(archives.insert(f[3]).second, f[3].c_str());
            QVERIFY2(QFileInfo::exists(m_folder + QLatin1Char('/') + QString::fromStdString(f[3])), f[3].c_str());
        }
        QVERIFY(organisations.size() >= 6);
        QVERIFY(types.size() >= 6);
        QVERIFY(years.size() >= 5);
        // An organisation whose name holds another's (the filter is a substring test).
        bool nested = false;
        for (const auto& a : organisations)
            for (const auto& b : organisations)
                nested = nested || (a != b && a.find(b) != std::string::npos);
        QVERIFY(nested);
    }

    void archivesTestCleanAndHoldThePaper()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty())
            QSKIP("Debian's unzip is not installed (apt-get install unzip)");
        const auto lines = readLines(m_folder + QStringLiteral("/nomes.txt"));
        QVERIFY(!lines.empty());
        for (const std::string& line : lines) {
            const QString archive = m_folder + QLatin1Char('/') + QString::fromStdString(fields(line)[3]);
            int code = -1;
            run(QStringLiteral("unzip"), {QStringLiteral("-tqq"), archive}, &code);
            QVERIFY2(code == 0, qPrintable(archive));
            const QByteArray names = run(QStringLiteral("unzip"), {QStringLiteral("-Z1"), archive}, &code);
            QCOMPARE(code, 0);
            const QList<QByteArray> entries = names.trimmed().split('\n');
            QVERIFY2(entries.contains("prova.pdf") && entries.contains("gabarito.txt") && entries.contains("anexos/"),
                     names.constData());
            QVERIFY2(std::any_of(entries.begin(), entries.end(),
                                 [](const QByteArray& e) { return e.startsWith("anexos/") && e.size() > 7; }),
                     names.constData());

            // The key inside has one digit per question of the paper beside it.
            const QByteArray key = run(QStringLiteral("unzip"),
                                       {QStringLiteral("-p"), archive, QStringLiteral("gabarito.txt")}, &code);
            const auto keyLines = zelvora::text::SplitTextLines(key.toStdString());
            QCOMPARE(int(keyLines.size()), SampleFolderWriter::ArchivePaperQuestions);
            const QByteArray pdf = run(QStringLiteral("unzip"),
                                       {QStringLiteral("-p"), archive, QStringLiteral("prova.pdf")}, &code);
            QVERIFY(pdf.startsWith("%PDF-"));
        }
    }

    void mockExamList()
    {
        const QString simu = m_folder + QStringLiteral("/simu/");
        const auto lines = readLines(simu + QStringLiteral("lista.txt"));
        QVERIFY(lines.size() >= 5);
        bool inSubFolder = false;
        int rightWrong = 0;
        int annulled = 0;
        int boardRules = 0;
        for (const std::string& line : lines) {
            const std::size_t hash = line.find('#');
            QVERIFY(hash != std::string::npos);
            const std::string path = line.substr(hash + 1);
            inSubFolder = inSubFolder || path == "2008\\prova01.pdf";
            QString pdfPath = simu + QString::fromStdString(path).replace(QLatin1Char('\\'), QLatin1Char('/'));

            QString keyPath = pdfPath;
            keyPath.replace(QRegularExpression(QStringLiteral("\\.pdf$")), QStringLiteral(".txt"));
            const auto key = readLines(keyPath);
            QVERIFY2(key.size() >= 20 && key.size() <= 120, qPrintable(keyPath));

            // Every paper has an info file that reads without a problem and
            // fits its key: digits 1 to 5, or C and E on a right/wrong paper.
            QString infoPath = keyPath;
            infoPath.replace(QRegularExpression(QStringLiteral("\\.txt$")), QStringLiteral(".ini"));
            const auto info = zelvora::mockexam::PaperInfoReader::Load(infoPath.toStdString());
            QVERIFY2(info && info->problems.empty(), qPrintable(infoPath));
            QVERIFY2(zelvora::mockexam::PaperInfoReader::CheckAgainstKey(info->info, key).empty(),
                     qPrintable(infoPath));
            QVERIFY(info->info.durationSeconds && !info->info.subjects.empty());
            rightWrong += info->info.itemType == zelvora::mockexam::ItemType::RightWrong
                && info->info.scoring == zelvora::mockexam::ScoringRule::Cancelling;
            annulled += !info->info.annulled.empty();
            boardRules += info->info.hasBoardRules();
            for (const std::string& answer : key)
                QVERIFY2(info->info.optionOf(answer) >= 0, answer.c_str());

            // The paper opens, has a cover, and its last question is the key's last line.
            QPdfDocument pdf;
            QCOMPARE(pdf.load(pdfPath), QPdfDocument::Error::None);
            QVERIFY(pdf.pageCount() >= 2);
            const QString lastPage = pdf.getAllText(pdf.pageCount() - 1).text();
            const QString last = QStringLiteral("Questão %1").arg(key.size());
            QVERIFY2(lastPage.contains(last), qPrintable(pdfPath + ": " + last));
            QVERIFY2(!lastPage.contains(QStringLiteral("Questão %1").arg(key.size() + 1)), qPrintable(pdfPath));
            QVERIFY2(!pdf.getAllText(0).text().contains(QStringLiteral("Questão 1")), "first page is the cover");
        }
        QVERIFY(inSubFolder);
        QCOMPARE(rightWrong, 2);
        QCOMPARE(annulled, 1);
        QCOMPARE(boardRules, 1); // the paper laid out as a federal police exam
    }

    // The PDF engine orders its fonts by a hash whose seed is random in each
    // process; a paper must come out the same whatever the seed was.
    void paperIgnoresTheHashSeed()
    {
        const zelvora::sampledata::PaperInfo info{"Banca Guará", "Escriturário", "2007", "3 horas"};
        const auto questions = QuestionBank::Paper(42, 20);
        const QByteArray first = PaperWriter::Write(info, questions);
        for (int i = 0; i < 8; ++i) {
            QHashSeed::resetRandomGlobalSeed();
            QVERIFY2(PaperWriter::Write(info, questions) == first, qPrintable(QString::number(i)));
        }
    }

    void sameBytesEveryTime()
    {
        QTemporaryDir other;
        QVERIFY(other.isValid());
        SampleFolderWriter::Write(other.path());
        const auto first = hashes(m_folder);
        const auto second = hashes(other.path());
        QCOMPARE(first.keys(), second.keys());
        for (auto it = first.begin(); it != first.end(); ++it)
            QVERIFY2(second.value(it.key()) == it.value(), qPrintable(it.key()));
    }
};

QTEST_MAIN(tst_SampleFolder)
#include "tst_SampleFolder.moc"

#include "SampleFolderWriter.h"

#include "catalog/CatalogLine.h"
#include "mockexam/MockExamList.h"
#include "mockexam/PaperInfoReader.h"
#include "PaperWriter.h"
#include "QuestionBank.h"
#include "SampleCatalog.h"
#include "SkinPainter.h"
#include "text/CodePage850.h"
#include "text/Windows1252.h"
#include "zipwriter/ZipWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>

#include <array>
#include <stdexcept>

namespace zelvora::sampledata {

namespace {

using text::Utf8ToCp1252;
using zipwriter::ZipWriter;

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size() || !file.flush())
        throw std::runtime_error("cannot write " + path.toStdString());
}

void writeFile(const QString& path, const std::string& bytes)
{
    writeFile(path, QByteArray::fromStdString(bytes));
}

void makeFolder(const QString& path)
{
    if (!QDir().mkpath(path))
        throw std::runtime_error("cannot create the folder " + path.toStdString());
}

QByteArray png(const QImage& image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        throw std::runtime_error("cannot encode a PNG picture");
    return buffer.data();
}

// "abre.png" -> "abre@2x.png", the name Qt's convention gives the twin with
// twice the pixels.
QString TwinName(const QString& fileName)
{
    QString twin = fileName;
    return twin.insert(twin.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
}

// Lines joined with CR LF, each one ended (as Notepad leaves them).
std::string windowsLines(const std::vector<std::string>& lines)
{
    std::string out;
    for (const std::string& line : lines)
        out += line + "\r\n";
    return out;
}

std::string bytes(const QByteArray& data)
{
    return data.toStdString();
}

uint16_t dosDateOfYear(const std::string& year)
{
    const int y = std::stoi(year.substr(0, 4));
    return ZipWriter::DosDate(y, 11, 20);
}

std::string instructions(const SampleExam& exam)
{
    return Utf8ToCp1252(windowsLines({
        "Instruções para a prova de " + exam.examType,
        exam.organisation + " - " + exam.year,
        "",
        "1. Confira se o caderno de prova (prova.pdf) contém "
            + std::to_string(SampleFolderWriter::ArchivePaperQuestions) + " questões.",
        "2. O gabarito (gabarito.txt) traz uma linha por questão: 1 = A, 2 = B, 3 = C, 4 = D, 5 = E.",
        "3. Este material é um exemplo fictício distribuído com o Zelvora.",
    }));
}

void writeArchive(const QString& folder, const SampleExam& exam)
{
    const auto questions = QuestionBank::Paper(SampleFolderWriter::Seed(exam.archiveName),
                                               SampleFolderWriter::ArchivePaperQuestions);
    const PaperInfo info{exam.organisation, exam.examType, exam.year, "3 horas"};
    const uint16_t date = dosDateOfYear(exam.year);

    ZipWriter zip;
    const auto add = [&](std::string name, std::string data, ZipWriter::Method method, uint32_t attributes) {
        ZipWriter::Entry entry;
        entry.name = std::move(name);
        entry.data = std::move(data);
        entry.method = method;
        entry.dosDate = date;
        entry.dosTime = ZipWriter::DosTime(9, 30, 0);
        entry.externalAttributes = attributes;
        zip.add(std::move(entry));
    };
    add("prova.pdf", bytes(PaperWriter::Write(info, questions)), ZipWriter::Method::Deflated, 0x20);
    add("gabarito.txt", windowsLines(QuestionBank::Key(questions)), ZipWriter::Method::Stored, 0x20);
    add("anexos/", {}, ZipWriter::Method::Stored, 0x10);
    add("anexos/" + SampleFolderWriter::ToCp850(Utf8ToCp1252("Instruções.txt")), instructions(exam),
        ZipWriter::Method::Deflated, 0x20);
    writeFile(folder + QLatin1Char('/') + QString::fromStdString(exam.archiveName), zip.finish());
}

} // namespace

std::string SampleFolderWriter::InfoFile(const MockPaper& paper, const std::vector<Question>& questions)
{
    std::vector<std::string> lines = {"; " + paper.displayName, "; Informações da prova para o Zelvora."};
    const auto seconds = mockexam::PaperInfoReader::ParseDuration(paper.info.duration);
    if (seconds && *seconds > 0)
        lines.push_back("duracao=" + mockexam::PaperInfoReader::DurationText(*seconds));
    lines.push_back(paper.info.rightWrong ? "tipo=certo-errado" : "tipo=multipla");
    lines.push_back(paper.info.cancelling ? "pontuacao=anula" : "pontuacao=simples");
    if (!paper.annulled.empty()) {
        std::string list;
        for (const int q : paper.annulled)
            list += (list.empty() ? "" : ", ") + std::to_string(q);
        lines.push_back("anuladas=" + list);
    }
    // The questions come grouped by subject: one range each.
    for (std::size_t first = 0; first < questions.size();) {
        std::size_t last = first;
        while (last + 1 < questions.size() && questions[last + 1].subject == questions[first].subject)
            ++last;
        std::string range = std::to_string(first + 1);
        if (last > first)
            range += "-" + std::to_string(last + 1);
        lines.push_back("disciplina=" + questions[first].subject + ": " + range);
        first = last + 1;
    }
    lines.insert(lines.end(), paper.boardRules.begin(), paper.boardRules.end());
    return Utf8ToCp1252(windowsLines(lines));
}

uint64_t SampleFolderWriter::Seed(const std::string& name)
{
    uint64_t hash = 0xCBF29CE484222325ull;
    for (unsigned char c : name) {
        hash ^= c;
        hash *= 0x100000001B3ull;
    }
    return hash;
}

std::string SampleFolderWriter::ToCp850(const std::string& cp1252)
{
    // The inverse of the program's own 850-to-1252 table.
    std::array<int, 256> inverse;
    inverse.fill(-1);
    for (int b = 255; b >= 0; --b) {
        const uint8_t mapped = text::Cp850ToCp1252(static_cast<uint8_t>(b));
        if (b < 0x80 || mapped != '?')
            inverse[mapped] = b;
    }
    std::string out;
    for (unsigned char c : cp1252)
        out += inverse[c] >= 0 ? static_cast<char>(inverse[c]) : '_';
    return out;
}

std::vector<Question> SampleFolderWriter::Questions(const MockPaper& paper)
{
    return paper.info.rightWrong ? QuestionBank::RightWrongPaper(Seed(paper.pdfPath), paper.questions)
                                 : QuestionBank::Paper(Seed(paper.pdfPath), paper.questions);
}

void SampleFolderWriter::Write(const QString& folder)
{
    const QString simu = folder + QStringLiteral("/simu");
    makeFolder(folder);
    makeFolder(simu);

    const std::vector<SkinLayout> specs = SkinPainter::Specs();
    for (std::size_t i = 0; i < specs.size(); ++i) {
        writeFile(folder + QLatin1Char('/') + specs[i].normalFile, png(SkinPainter::Paint(i, false)));
        writeFile(folder + QLatin1Char('/') + specs[i].pressedFile, png(SkinPainter::Paint(i, true)));
        // The twins with twice the pixels, for HiDPI screens ("abre@2x.png").
        writeFile(folder + QLatin1Char('/') + TwinName(specs[i].normalFile), png(SkinPainter::Paint(i, false, 2)));
        writeFile(folder + QLatin1Char('/') + TwinName(specs[i].pressedFile), png(SkinPainter::Paint(i, true, 2)));
    }

    std::vector<std::string> catalog;
    for (const SampleExam& exam : SampleCatalog::Exams()) {
        catalog.push_back(catalog::CatalogLine::Write({Utf8ToCp1252(exam.organisation), Utf8ToCp1252(exam.examType),
                                                       Utf8ToCp1252(exam.year), Utf8ToCp1252(exam.archiveName)}));
        writeArchive(folder, exam);
    }
    writeFile(folder + QStringLiteral("/nomes.txt"), windowsLines(catalog));

    std::vector<std::string> list;
    for (const MockPaper& paper : SampleCatalog::MockPapers()) {
        list.push_back(
            mockexam::MockExamList::WriteLine({Utf8ToCp1252(paper.displayName), Utf8ToCp1252(paper.pdfPath)}));
        QString pdfPath = simu + QLatin1Char('/')
            + QString::fromStdString(paper.pdfPath).replace(QLatin1Char('\\'), QLatin1Char('/'));
        makeFolder(QFileInfo(pdfPath).path());
        const auto questions = Questions(paper);
        writeFile(pdfPath, PaperWriter::Write(paper.info, questions));
        pdfPath.chop(4); // ".pdf"
        writeFile(pdfPath + QStringLiteral(".txt"), windowsLines(QuestionBank::Key(questions)));
        writeFile(pdfPath + QStringLiteral(".ini"), InfoFile(paper, questions));
    }
    writeFile(simu + QStringLiteral("/lista.txt"), windowsLines(list));
}

} // namespace zelvora::sampledata

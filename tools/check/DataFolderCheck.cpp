#include "DataFolderCheck.h"

#include "app/SkinReader.h"
#include "catalog/Catalog.h"
#include "catalog/ExamExtraction.h"
#include "FolderListing.h"
#include "ImageProbe.h"
#include "mockexam/AnswerKey.h"
#include "mockexam/MockExamList.h"
#include "mockexam/PaperDocument.h"
#include "mockexam/PaperInfoReader.h"
#include "mockexam/PaperPath.h"
#include "ProblemLog.h"
#include "text/Collation.h"
#include "text/DataFile.h"
#include "text/TextList.h"
#include "text/Windows1252.h"
#include "zip/TUnZipper.h"

#include <QFile>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <set>
#include <system_error>
#include <unordered_map>

namespace fs = std::filesystem;

namespace zelvora::check {

namespace {

std::string U(const std::string& cp1252)
{
    return text::Cp1252ToUtf8(cp1252);
}

// A text quoted in a report is cut to QuoteLimit characters, so that a line
// of many megabytes cannot make a report of many megabytes.
constexpr size_t QuoteLimit = 200;

std::string Quote(const std::string& utf8)
{
    size_t chars = 0;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80)
            continue; // inside a character
        if (chars++ == QuoteLimit)
            return "\"" + utf8.substr(0, i) + "\u2026\" (" + std::to_string(utf8.size()) + " bytes)";
    }
    return "\"" + utf8 + "\"";
}

std::string MiB(uint64_t bytes)
{
    return std::to_string(bytes >> 20) + " MiB";
}

// Why a data file cannot be used, as the rest of a sentence that names it.
std::string Unusable(text::DataFileStatus status, uint64_t cap)
{
    switch (status) {
    case text::DataFileStatus::Missing:
        return "não existe";
    case text::DataFileStatus::NotAFile:
        return "não é um arquivo comum (é uma pasta, um pipe ou um dispositivo) e não será lido";
    case text::DataFileStatus::TooLarge:
        return "passa de " + MiB(cap) + ", o limite que o programa lê, e não será lido";
    case text::DataFileStatus::Ok:
    case text::DataFileStatus::Unreadable:
        break;
    }
    return "não pode ser lido";
}

void Error(ProblemLog& log, std::string_view kind, std::string text)
{
    log.error(kind, std::move(text));
}
void Warning(ProblemLog& log, std::string_view kind, std::string text)
{
    log.warning(kind, std::move(text));
}

// A temporary folder that is removed with everything in it when it goes.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string& root)
    {
        std::string templ = root + "/zelvora-check-XXXXXX";
        if (char* made = ::mkdtemp(templ.data()))
            m_path = made;
    }
    ~ScratchFolder()
    {
        if (m_path.empty())
            return;
        std::error_code ec;
        // Extracted files may carry their archive's read-only bit; give the
        // owner write permission back on every folder so all can go.
        for (auto it = fs::recursive_directory_iterator(m_path, ec); !ec && it != fs::end(it); it.increment(ec)) {
            if (it->is_directory(ec))
                fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
        fs::remove_all(m_path, ec);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

struct SkinRule {
    const char* base;
    int width; // exact width, or 0 when only minWidth counts
    int height; // exact height, or 0 when only minHeight counts
    int minWidth; // the hot zones must lie on the picture
    int minHeight;
    const char* what;
};

// The pictures of the data folder, the size their window shows them at, and
// the hot zones that must lie on them.
const SkinRule kSkins[] = {
    {"abre", 640, 480, 0, 0, "tela de abertura"},
    {"rodape", 630, 39, 0, 0, "barra de botões do catálogo"},
    // Spans the whole width of the full-screen exam window; the start
    // button ends at x 781.
    {"simul", 0, 117, 781, 0, "barra superior do simulado"},
    // The answer column; its last button ends at y 169.
    {"botoes", 198, 0, 0, 169, "coluna de respostas do simulado"},
};

// True when path lies inside folder (both made absolute, links resolved).
bool IsInside(const std::string& path, const std::string& folder)
{
    std::error_code ec;
    const fs::path p = fs::weakly_canonical(path, ec);
    const fs::path f = fs::weakly_canonical(folder, ec);
    if (ec)
        return false;
    auto pi = p.begin();
    for (auto fi = f.begin(); fi != f.end(); ++fi, ++pi) {
        if (fi->empty())
            continue; // the trailing "/" of a folder
        if (pi == p.end() || *pi != *fi)
            return false;
    }
    return true;
}

std::string SizeText(ImageSize s)
{
    return std::to_string(s.width) + " x " + std::to_string(s.height);
}

std::string ExpectedText(const SkinRule& rule)
{
    const std::string w = rule.width ? std::to_string(rule.width) : "pelo menos " + std::to_string(rule.minWidth);
    const std::string h = rule.height ? std::to_string(rule.height) : "pelo menos " + std::to_string(rule.minHeight);
    return "largura " + w + ", altura " + h;
}

bool Fits(const SkinRule& rule, ImageSize s)
{
    if (rule.width ? s.width != rule.width : s.width < rule.minWidth)
        return false;
    if (rule.height ? s.height != rule.height : s.height < rule.minHeight)
        return false;
    return true;
}

} // namespace

DataFolderCheck::DataFolderCheck(const text::Collation& collation, const ImageProbe& images, std::string scratchRoot)
    : m_collation(collation)
    , m_images(images)
    , m_scratchRoot(std::move(scratchRoot))
{
}

CheckReport DataFolderCheck::Run(std::string dataFolder) const
{
    if (dataFolder.empty() || dataFolder.back() != '/')
        dataFolder += '/';
    CheckReport report;
    ProblemLog log(report.problems);
    CheckCatalog(dataFolder, report, log);
    CheckMockExams(dataFolder + "simu/", report, log);
    CheckSkins(dataFolder, log);
    log.finish();
    return report;
}

void DataFolderCheck::CheckCatalog(const std::string& dataFolder, CheckReport& report, ProblemLog& log) const
{
    const std::string path = dataFolder + "nomes.txt";
    text::DataFileStatus status = text::DataFileStatus::Ok;
    const auto lines = text::ReadTextList(path, text::DataFile::CatalogCap, &status);
    if (!lines) {
        Error(log, "catálogo ilegível",
              "\"nomes.txt\" " + Unusable(status, text::DataFile::CatalogCap) + ": o catálogo aparecerá vazio.");
        return;
    }
    // The same load the catalog window runs (Catalog::Load reads the file
    // exactly so).
    const catalog::Catalog cat = catalog::Catalog::FromLines(*lines, m_collation);

    for (const auto& line : cat.incompleteLines())
        Warning(log, "linha de \"nomes.txt\" sem os quatro campos",
                "\"nomes.txt\": linha ignorada, não tem os quatro campos separados por \"#\": " + Quote(U(line)));
    for (const auto& line : cat.droppedDuplicates())
        Warning(log, "linha repetida de \"nomes.txt\"",
                "\"nomes.txt\": linha descartada, igual a outra (sem contar maiúsculas e minúsculas): "
                    + Quote(U(line)));
    if (cat.size() == 0)
        Error(log, "catálogo vazio", "\"nomes.txt\" não tem nenhuma prova: o catálogo aparecerá vazio.");

    report.catalog.reserve(cat.size());
    for (const auto& e : cat.entries()) {
        report.catalog.push_back({U(e.organisation), U(e.examType), U(e.year), U(e.archiveName)});
        const size_t longest = std::max({e.organisation.size(), e.examType.size(), e.year.size()});
        if (longest > catalog::Catalog::ShownFieldLimit)
            Warning(log, "campo longo demais em \"nomes.txt\"",
                    "\"nomes.txt\": um campo tem " + std::to_string(longest)
                        + " caracteres; a janela do catálogo mostra só os "
                        + std::to_string(catalog::Catalog::ShownFieldLimit)
                        + " primeiros: " + Quote(U(e.organisation + '#' + e.examType + '#' + e.year)));
    }
    for (const auto& v : cat.organisations())
        report.organisations.push_back(U(v));
    for (const auto& v : cat.examTypes())
        report.examTypes.push_back(U(v));
    for (const auto& v : cat.years())
        report.years.push_back(U(v));

    // Several rows may share one archive; each archive is tried once.
    std::set<std::string> seen;
    FolderListing listing;
    for (const auto& e : cat.entries()) {
        if (!seen.insert(e.archiveName).second)
            continue;
        const std::string exam = catalog::ExamExtraction::SuggestedName(U(e.organisation), U(e.examType), U(e.year));
        CheckArchive(dataFolder, e.archiveName, exam, listing, log);
    }
}

void DataFolderCheck::CheckArchive(const std::string& dataFolder, const std::string& archiveName,
                                   const std::string& exam, FolderListing& listing, ProblemLog& log) const
{
    const std::string path = catalog::ExamExtraction::ArchivePath(dataFolder, archiveName);
    const std::string head = "Prova " + Quote(exam) + ", arquivo " + Quote(U(archiveName)) + ": ";
    if (archiveName.empty()) {
        Error(log, "arquivo do catálogo sem nome", head + "a linha do catálogo não dá o nome do arquivo.");
        return;
    }
    if (const auto status = listing.mayExist(path) ? text::DataFile::Probe(path, std::numeric_limits<uint64_t>::max())
                                                   : text::DataFileStatus::Missing;
        status != text::DataFileStatus::Ok) {
        Error(log, "arquivo do catálogo que não pode ser lido", head + "o arquivo " + Unusable(status, 0) + ".");
        return;
    }

    // The test extraction must never write into the data folder.
    if (IsInside(m_scratchRoot, dataFolder)) {
        Warning(log, "cópia não testada",
                head + "cópia não testada: a pasta temporária fica dentro da pasta de dados.");
        return;
    }
    ScratchFolder scratch(m_scratchRoot);
    if (scratch.path().empty()) {
        Error(log, "pasta temporária", head + "não foi possível criar uma pasta temporária para testar a cópia.");
        return;
    }

    // The copy exactly as the program makes it, into a folder of our own.
    std::vector<std::string> messages;
    zip::TUnZipperCallbacks callbacks;
    callbacks.messageBox = [&messages](const std::string& text, const std::string&) { messages.push_back(text); };
    zip::TUnZipper unzipper(std::move(callbacks));
    unzipper.OverwriteMode = zip::TUZOverwriteMode::Always;
    catalog::ExamExtraction extraction(unzipper);
    const auto result = extraction.Extract(path, scratch.path() + "/copia");

    if (result.failed) {
        Error(log, "arquivo zip que não abre", head + "não abre como arquivo zip (" + result.error + ").");
        return;
    }
    if (result.leftOut > 0) {
        std::string text = head + std::to_string(result.leftOut)
            + (result.leftOut == 1 ? " arquivo não seria copiado" : " arquivos não seriam copiados")
            + " (criptografado, com CRC errado, com nome que não pode ser criado ou com método de compressão não suportado)";
        if (!messages.empty())
            text += "; o programa mostraria: " + Quote(messages.front());
        Error(log, "arquivos que não seriam copiados", text + ".");
        return;
    }
    if (result.extracted == 0)
        Warning(log, "arquivo zip vazio", head + "o arquivo não contém nenhum arquivo para copiar.");
}

namespace {

// A problem of one paper's files, told after the paper's own head.
struct PaperFinding {
    const char* kind;
    bool error;
    std::string text;
};

// What is wrong with the files of the paper whose PDF path (as written in the
// list) is pdfPath: the PDF, its key, its info file and how they agree.
std::vector<PaperFinding> CheckPaperFiles(const std::string& mockExamFolder, const std::string& pdfPath,
                                          FolderListing& listing)
{
    std::vector<PaperFinding> found;
    const auto add = [&found](const char* kind, bool error, std::string text) {
        found.push_back({kind, error, std::move(text)});
    };

    // Opened by the same PDF engine, from the same safe read, as in the exam
    // window; a name the folder does not hold is known missing at once.
    const std::string pdf = mockexam::PaperPath::Resolve(mockExamFolder, pdfPath);
    using Outcome = mockexam::PaperDocument::Code;
    Outcome outcome = Outcome::Missing;
    if (listing.mayExist(pdf))
        outcome = mockexam::PaperDocument::Open(QFile::decodeName(QByteArray::fromStdString(pdf))).code();
    switch (outcome) {
    case Outcome::Ok:
        break;
    case Outcome::NotAPdf:
        add("arquivo que não é um PDF", true,
            "o arquivo " + Quote(U(pdfPath))
                + " não é um PDF que o programa consiga abrir; a prova mostrará "
                  "\"Não foi possível carregar a prova\".");
        break;
    case Outcome::Missing:
        add("PDF que não existe", true, "o PDF " + Quote(U(pdfPath)) + " não existe.");
        break;
    case Outcome::NotAFile:
        add("PDF que não é um arquivo comum", true,
            "o PDF " + Quote(U(pdfPath)) + " " + Unusable(text::DataFileStatus::NotAFile, 0) + ".");
        break;
    case Outcome::TooLarge:
        add("PDF grande demais", true,
            "o PDF " + Quote(U(pdfPath)) + " " + Unusable(text::DataFileStatus::TooLarge, text::DataFile::PaperCap)
                + ".");
        break;
    case Outcome::Unreadable:
        add("PDF que não pode ser lido", true, "o PDF " + Quote(U(pdfPath)) + " não pode ser lido.");
        break;
    }

    const std::string keyRelative = mockexam::PaperPath::KeyPathFor(pdfPath);
    const std::string key = mockexam::PaperPath::Resolve(mockExamFolder, keyRelative);
    const auto keyStatus = listing.mayExist(key) ? text::DataFile::Probe(key, text::DataFile::KeyCap)
                                                 : text::DataFileStatus::Missing;
    if (keyStatus != text::DataFileStatus::Ok) {
        add("gabarito que não pode ser lido", true,
            "o gabarito " + Quote(U(keyRelative)) + " " + Unusable(keyStatus, text::DataFile::KeyCap)
                + "; a prova mostrará \"Não foi possível carregar o gabarito da prova.\".");
        return found;
    }
    const auto keyLines = mockexam::AnswerKey::Load(key);
    if (!keyLines) {
        add("gabarito vazio", true, "o gabarito " + Quote(U(keyRelative)) + " está vazio ou não pode ser lido.");
        return found;
    }
    // The info file beside the key, if any: what cannot be read is left out
    // by the program, which still runs the paper.
    const std::string infoRelative = mockexam::PaperPath::InfoPathFor(pdfPath);
    const std::string infoPath = mockexam::PaperPath::Resolve(mockExamFolder, infoRelative);
    mockexam::PaperInfo info;
    const auto infoStatus = listing.mayExist(infoPath) ? text::DataFile::Probe(infoPath, text::DataFile::KeyCap)
                                                       : text::DataFileStatus::Missing;
    if (infoStatus != text::DataFileStatus::Missing) {
        const std::string infoHead = "o arquivo de informações " + Quote(U(infoRelative));
        const auto reading = infoStatus == text::DataFileStatus::Ok ? mockexam::PaperInfoReader::Load(infoPath)
                                                                    : std::nullopt;
        if (infoStatus != text::DataFileStatus::Ok && infoStatus != text::DataFileStatus::Unreadable) {
            add("arquivo de informações que não pode ser lido", true,
                infoHead + " " + Unusable(infoStatus, text::DataFile::KeyCap) + "; a prova segue sem ele.");
        } else if (!reading) {
            add("arquivo de informações que não pode ser lido", true,
                infoHead + " não pode ser lido; a prova segue sem ele.");
        } else {
            info = reading->info;
            for (const auto& p : reading->problems)
                add("linha de arquivo de informações", p.error, infoHead + ", " + p.where());
        }
    }
    for (const auto& p : mockexam::PaperInfoReader::CheckAgainstKey(info, *keyLines)) {
        // Key lines are the key's own problem, the rest the info file's.
        if (p.text.rfind("o gabarito", 0) == 0)
            add("gabarito que não serve à prova", p.error, "o gabarito " + Quote(U(keyRelative)) + p.text.substr(10));
        else
            add("arquivo de informações que não serve ao gabarito", p.error,
                "o arquivo de informações " + Quote(U(infoRelative)) + ", " + p.text);
    }
    return found;
}

} // namespace

void DataFolderCheck::CheckMockExams(const std::string& mockExamFolder, CheckReport& report, ProblemLog& log) const
{
    text::DataFileStatus status = text::DataFileStatus::Ok;
    const auto lines = text::ReadTextList(mockExamFolder + mockexam::MockExamList::FileName, text::DataFile::ListCap,
                                          &status);
    if (!lines) {
        Error(log, "lista de simulados ilegível",
              "\"simu/lista.txt\" " + Unusable(status, text::DataFile::ListCap)
                  + ": a janela de simulado mostrará \"Não foi possível carregar a lista de simulados.\".");
        return;
    }
    for (size_t i = 0; i < lines->size(); ++i) {
        const std::string& line = (*lines)[i];
        if (line.empty() || mockexam::MockExamList::ParseLine(line))
            continue;
        const std::string where = "\"simu/lista.txt\", linha " + std::to_string(i + 1) + " ignorada: ";
        const auto hash = line.find('#');
        if (hash == std::string::npos)
            Warning(log, "linha de \"simu/lista.txt\" sem \"#\"",
                    where + "não tem \"#\" entre o nome e o PDF: " + Quote(U(line)));
        else if (mockexam::PaperPath::IsAbsolute(std::string_view(line).substr(hash + 1)))
            Warning(log, "linha de \"simu/lista.txt\" com caminho absoluto",
                    where + "o caminho do PDF é absoluto, e o gabarito só é procurado dentro de \"simu\": "
                        + Quote(U(line)));
        else
            Warning(log, "linha de \"simu/lista.txt\" com caminho que sai de \"simu\"",
                    where
                        + "o caminho do PDF sai da pasta \"simu\" (\"..\"), e o programa só abre "
                          "arquivos de dentro dela: "
                        + Quote(U(line)));
    }

    // The same parse the mock-exam window runs, in its selector's order.
    const auto entries = mockexam::MockExamList::Parse(*lines);
    if (entries.empty())
        Error(log, "lista de simulados vazia",
              "\"simu/lista.txt\" não tem nenhum simulado: a lista de provas ficará vazia.");
    std::vector<std::string_view> names;
    names.reserve(entries.size());
    for (const auto& e : entries)
        names.push_back(e.name);
    const auto order = m_collation.stableOrder(names);

    // Many lines may name one PDF: its files are looked at once, and what is
    // wrong with them is told for every paper that names it.
    FolderListing listing;
    std::unordered_map<std::string, std::vector<PaperFinding>> byPdf;
    report.papers.reserve(entries.size());
    for (const size_t i : order) {
        const auto& e = entries[i];
        report.papers.emplace_back(U(e.name), U(e.pdfPath));
        auto [at, added] = byPdf.try_emplace(e.pdfPath);
        if (added)
            at->second = CheckPaperFiles(mockExamFolder, e.pdfPath, listing);
        if (at->second.empty())
            continue;
        const std::string head = "Simulado " + Quote(U(e.name)) + ": ";
        for (const auto& f : at->second)
            log.add(f.kind, f.error, head + f.text);
    }
}

void DataFolderCheck::CheckSkins(const std::string& dataFolder, ProblemLog& log) const
{
    for (const SkinRule& rule : kSkins) {
        std::optional<ImageSize> sizes[2];
        const std::string names[2] = {std::string(rule.base) + ".png", std::string(rule.base) + "on.png"};
        for (int k = 0; k < 2; ++k) {
            const std::string head = "Imagem " + Quote(names[k]) + " (" + rule.what + "): ";
            const std::string path = dataFolder + names[k];
            if (const auto status = text::DataFile::Probe(path, text::DataFile::SkinCap);
                status != text::DataFileStatus::Ok) {
                Error(log, "imagem que não pode ser lida",
                      head + Unusable(status, text::DataFile::SkinCap) + "; a janela ficará sem desenho.");
                continue;
            }
            sizes[k] = m_images.size(path);
            if (!sizes[k])
                Error(log, "imagem que não pode ser lida",
                      head
                          + "não é uma imagem PNG que possa ser lida (arquivo danificado, ou imagem "
                            "grande demais: mais de "
                          + std::to_string(app::SkinReader::MaxSide) + " pixels de lado ou de "
                          + std::to_string(app::SkinReader::MaxPixels >> 20)
                          + " megapixels); a janela ficará sem desenho.");
            else if (!Fits(rule, *sizes[k]))
                Error(log, "imagem de tamanho errado",
                      head + "tem " + SizeText(*sizes[k]) + "; esperado " + ExpectedText(rule) + ".");
        }
        if (sizes[0] && sizes[1] && !(*sizes[0] == *sizes[1]))
            Error(log, "imagens de tamanhos diferentes",
                  "Imagens " + Quote(names[0]) + " e " + Quote(names[1]) + " têm tamanhos diferentes ("
                      + SizeText(*sizes[0]) + " e " + SizeText(*sizes[1])
                      + "): o efeito de botão pressionado ficará errado.");
    }
}

} // namespace zelvora::check

#include "usermaterial/UserMaterial.h"

#include "mockexam/AnswerKeyText.h"
#include "mockexam/ExamScore.h"
#include "mockexam/MockExamList.h"
#include "mockexam/PaperInfoReader.h"
#include "mockexam/PaperPath.h"
#include "text/DataFile.h"
#include "text/Folding.h"
#include "text/Windows1252.h"
#include "usermaterial/AtomicFiles.h"
#include "zip/EntryName.h"
#include "zip/TUnZipper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#include <algorithm>
#include <exception>
#include <functional>
#include <optional>

namespace zelvora::usermaterial {

namespace {

const QString kListFile = QStringLiteral("lista.txt");
const QString kCatalogFile = QStringLiteral("nomes.txt");
// Held while a list is read, changed and written back.
const QString kLockFile = QStringLiteral(".zelvora.lock");
// How long an addition waits for another program that holds the lock.
constexpr int kLockWaitMs = 15000;

std::string ToCp1252(const QString& text)
{
    return text::Utf8ToCp1252(text.toStdString());
}

QString FromCp1252(std::string_view bytes)
{
    return QString::fromStdString(text::Cp1252ToUtf8(bytes));
}

// The archive name of a catalog line: all after its third "#"; nothing for a
// line with fewer.
std::optional<std::string_view> ArchiveNameOf(std::string_view line)
{
    size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        at = line.find('#', at);
        if (at == std::string_view::npos)
            return std::nullopt;
        ++at;
    }
    return line.substr(at);
}

bool SameIgnoringCase(std::string_view a, std::string_view b)
{
    return text::UpperCase1252(a) == text::UpperCase1252(b);
}

// A relative path that stays inside the folder it is resolved against.
bool StaysInside(std::string_view relative)
{
    if (relative.empty() || mockexam::PaperPath::IsAbsolute(relative))
        return false;
    std::string path(relative);
    std::replace(path.begin(), path.end(), '\\', '/');
    size_t start = 0;
    while (start <= path.size()) {
        const auto end = std::min(path.find('/', start), path.size());
        if (path.compare(start, end - start, "..") == 0)
            return false;
        start = end + 1;
    }
    return true;
}

// Holds the folder's lock for as long as it lives.
class FolderLock {
public:
    explicit FolderLock(const QString& folder) : m_lock(folder + kLockFile) { m_held = m_lock.tryLock(kLockWaitMs); }
    bool held() const { return m_held; }
    // Only LockFailedError means another program holds the lock; any other
    // error means the lock file could not be made (a read-only folder).
    bool heldElsewhere() const { return !m_held && m_lock.error() == QLockFile::LockFailedError; }

private:
    QLockFile m_lock;
    bool m_held = false;
};

QString CannotWrite(const QString& folder)
{
    return QStringLiteral("Não foi possível gravar na pasta %1.").arg(QDir::toNativeSeparators(folder));
}

// Why the folder's lock was not had: another program holds it, or the folder
// cannot be written.
QString LockRefusal(const FolderLock& lock, const QString& folder)
{
    if (lock.heldElsewhere())
        return QStringLiteral("Outro programa está gravando na pasta %1; tente de novo.")
            .arg(QDir::toNativeSeparators(folder));
    return CannotWrite(folder);
}

// A file name in folder, made of base and extension, that no file and no
// list line (taken) uses yet.
QString FreeName(const QString& folder, const QString& base, const QString& extension,
                 const std::function<bool(const std::string&)>& taken)
{
    for (int n = 1;; ++n) {
        const QString name = (n == 1 ? base : base + QLatin1Char('-') + QString::number(n)) + extension;
        const QString keyName = QFileInfo(name).completeBaseName() + QStringLiteral(".txt");
        if (QFileInfo::exists(folder + name) || taken(name.toStdString()))
            continue;
        // A key or info file left by another paper must never become this
        // paper's.
        if (extension == QStringLiteral(".pdf")
            && (QFileInfo::exists(folder + keyName)
                || QFileInfo::exists(folder + QFileInfo(name).completeBaseName() + QStringLiteral(".ini"))))
            continue;
        return name;
    }
}

} // namespace

UserMaterial::UserMaterial(const QString& folder)
    : m_folder(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'))
{
}

QString UserMaterial::DefaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/zelvora/dados/");
}

QString UserMaterial::CheckField(const QString& text, const QString& what)
{
    if (text.trimmed().isEmpty())
        return QStringLiteral("%1 não pode ficar em branco.").arg(what);
    for (const char32_t c : text.toUcs4()) {
        const QString shown = QString::fromUcs4(&c, 1);
        if (c == U'#')
            return QStringLiteral("%1 não pode conter \"#\": o Zelvora usa esse caractere para separar os campos.")
                .arg(what);
        if (c < 0x20 || (c >= 0x7F && c < 0xA0))
            return QStringLiteral("%1 não pode conter quebras de linha nem caracteres de controle.").arg(what);
        if (c != U'?' && text::UnicodeToCp1252(c) == '?')
            return QStringLiteral("%1 tem o caractere \"%2\", que não cabe nos arquivos do Zelvora "
                                  "(Windows-1252). Troque-o por outro.")
                .arg(what, shown);
    }
    return {};
}

ArchiveCheck UserMaterial::CheckArchive(const QString& zipPath)
{
    ArchiveCheck check;
    if (!QFileInfo(zipPath).isFile()) {
        check.error = QStringLiteral("O arquivo %1 não existe.").arg(QDir::toNativeSeparators(zipPath));
        return check;
    }
    try {
        zip::TUnZipper reader;
        reader.DoProcessMessages = false;
        reader.SetZipName(QFile::encodeName(zipPath).toStdString());
        reader.LoadDirectory();
        const zip::TSortedZip* directory = reader.Directory();
        size_t files = 0;
        if (directory)
            for (size_t i = 0; i < directory->Count(); ++i) {
                const auto& entry = (*directory)[i];
                // The reader keeps the archive's names with "\\" between
                // folders; a person reading the list expects "/".
                QString name = FromCp1252(entry.directory + entry.fileName);
                name.replace(QLatin1Char('\\'), QLatin1Char('/'));
                check.entries << name;
                if (!entry.IsDirectory())
                    ++files;
            }
        check.files = int(files);
        if (files == 0) {
            check.error = QStringLiteral("O arquivo zip não tem nenhum arquivo dentro (ou não pôde ser lido).");
            check.entries.clear();
            check.files = 0;
        }
    } catch (const std::exception& e) {
        check.error = QStringLiteral("Este arquivo não é um zip que o Zelvora consiga ler (%1).")
                          .arg(QString::fromUtf8(e.what()));
        check.entries.clear();
    } catch (...) {
        check.error = QStringLiteral("Este arquivo não é um zip que o Zelvora consiga ler.");
        check.entries.clear();
    }
    return check;
}

QString UserMaterial::PaperFileRefusal(const QString& pdfPath)
{
    const QString shown = QDir::toNativeSeparators(pdfPath);
    switch (text::DataFile::Probe(QFile::encodeName(pdfPath).toStdString(), text::DataFile::PaperCap)) {
    case text::DataFileStatus::Ok:
        return {};
    case text::DataFileStatus::Missing:
        return QStringLiteral("O arquivo %1 não existe.").arg(shown);
    case text::DataFileStatus::NotAFile:
        return QStringLiteral("%1 não é um arquivo comum.").arg(shown);
    case text::DataFileStatus::TooLarge:
        return QStringLiteral("O arquivo %1 passa de %2 MiB, o maior tamanho de prova que o Zelvora abre; "
                              "nada foi copiado.")
            .arg(shown)
            .arg(text::DataFile::PaperCap >> 20);
    case text::DataFileStatus::Unreadable:
        break;
    }
    return QStringLiteral("O arquivo %1 não pode ser lido.").arg(shown);
}

QString UserMaterial::NotAPdf(const QString& pdfPath)
{
    return QStringLiteral("O arquivo %1 não é um PDF que o Zelvora consiga abrir; nada foi copiado.")
        .arg(QDir::toNativeSeparators(pdfPath));
}

QString UserMaterial::SafeBaseName(const QString& text, const QString& fallback)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString out;
    bool dash = false;
    for (const QChar c : decomposed) {
        if (c.category() == QChar::Mark_NonSpacing)
            continue;
        const char16_t u = c.unicode();
        const bool plain = (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9');
        if (plain) {
            out += c;
            dash = false;
        } else if (!dash && !out.isEmpty()) {
            out += QLatin1Char('-');
            dash = true;
        }
        if (out.size() >= 60)
            break;
    }
    while (out.endsWith(QLatin1Char('-')))
        out.chop(1);
    return out.isEmpty() ? fallback : out;
}

Outcome UserMaterial::addPaper(const QString& pdfPath, const QString& name, const std::vector<std::string>& keyDigits)
{
    for (const auto& d : keyDigits)
        if (d.size() != 1 || d[0] < '1' || d[0] > '5')
            return Outcome::Failure(QStringLiteral("O gabarito só pode ter respostas de A a E."));
    return addPaperFiles(pdfPath, name, keyDigits, {});
}

std::string UserMaterial::InfoBytes(const mockexam::KeySection& key, mockexam::PaperInfo base,
                                    std::vector<std::string> comments)
{
    base.itemType = key.rightWrong ? mockexam::ItemType::RightWrong : mockexam::ItemType::MultipleChoice;
    base.annulled = key.annulled;
    if (comments.empty() && !key.title.empty())
        comments.push_back(key.title);
    return mockexam::PaperInfoReader::Write(base, comments);
}

Outcome UserMaterial::addPaperWithKey(const QString& pdfPath, const QString& name, const mockexam::KeySection& key)
{
    const auto lines = key.keyLines();
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        const bool annulled = std::binary_search(key.annulled.begin(), key.annulled.end(), int(i + 1));
        const bool fits = key.rightWrong ? (l == "C" || l == "E") : (l.size() == 1 && l[0] >= '1' && l[0] <= '5');
        if (!fits && !annulled)
            return Outcome::Failure(QStringLiteral("O gabarito só pode ter respostas de A a E."));
    }
    // A plain key of options A to E needs no info file.
    const bool plain = !key.rightWrong && key.annulled.empty();
    return addPaperFiles(pdfPath, name, lines, plain ? std::string() : InfoBytes(key));
}

Outcome UserMaterial::addPaperFiles(const QString& pdfPath, const QString& name,
                                    const std::vector<std::string>& keyDigits, const std::string& infoBytes)
{
    if (const QString why = CheckField(name, QStringLiteral("O nome da prova")); !why.isEmpty())
        return Outcome::Failure(why);
    if (keyDigits.empty())
        return Outcome::Failure(QStringLiteral("O gabarito está vazio."));
    if (keyDigits.size() > mockexam::AnswerKeyText::MaxQuestions)
        return Outcome::Failure(QStringLiteral("O gabarito tem %1 respostas: %2")
                                    .arg(keyDigits.size())
                                    .arg(QString::fromStdString(mockexam::AnswerKeyText::TooManyQuestions())));
    if (!QFileInfo(pdfPath).isFile())
        return Outcome::Failure(QStringLiteral("O arquivo %1 não existe.").arg(QDir::toNativeSeparators(pdfPath)));
    if (const QString why = PaperFileRefusal(pdfPath); !why.isEmpty())
        return Outcome::Failure(why);

    const QString simu = mockExamFolder();
    if (!QDir().mkpath(simu))
        return Outcome::Failure(CannotWrite(simu));
    FolderLock lock(m_folder);
    if (!lock.held())
        return Outcome::Failure(LockRefusal(lock, m_folder));

    auto lines = AtomicFiles::ReadLines(simu + kListFile);
    const auto entries = mockexam::MockExamList::Parse(lines);
    const QString pdfName = FreeName(
        simu, SafeBaseName(name, QStringLiteral("prova")), QStringLiteral(".pdf"), [&](const std::string& file) {
            return std::any_of(entries.begin(), entries.end(),
                               [&](const auto& e) { return SameIgnoringCase(e.pdfPath, file); });
        });
    const QString keyName = QFileInfo(pdfName).completeBaseName() + QStringLiteral(".txt");

    // The files first, the list line last: a paper is never listed before
    // its PDF and key are complete.
    if (!AtomicFiles::Copy(pdfPath, simu + pdfName))
        return Outcome::Failure(CannotWrite(simu));
    if (!AtomicFiles::WriteBytes(simu + keyName, mockexam::AnswerKeyText::FileBytes(keyDigits))) {
        QFile::remove(simu + pdfName);
        return Outcome::Failure(CannotWrite(simu));
    }
    const QString infoName = QFileInfo(pdfName).completeBaseName() + QStringLiteral(".ini");
    if (!infoBytes.empty() && !AtomicFiles::WriteBytes(simu + infoName, infoBytes)) {
        QFile::remove(simu + pdfName);
        QFile::remove(simu + keyName);
        return Outcome::Failure(CannotWrite(simu));
    }
    const std::string line = ToCp1252(name) + '#' + pdfName.toStdString();
    lines.push_back(line);
    if (!AtomicFiles::WriteLines(simu + kListFile, lines)) {
        QFile::remove(simu + pdfName);
        QFile::remove(simu + keyName);
        if (!infoBytes.empty())
            QFile::remove(simu + infoName);
        return Outcome::Failure(CannotWrite(simu));
    }
    return {true, {}, line};
}

Outcome UserMaterial::addExam(const QString& zipPath, const QString& organisation, const QString& examType,
                              const QString& year)
{
    for (const auto& [value, what] :
         {std::pair{organisation, QStringLiteral("A organização")},
          std::pair{examType, QStringLiteral("O tipo de prova")}, std::pair{year, QStringLiteral("O ano")}})
        if (const QString why = CheckField(value, what); !why.isEmpty())
            return Outcome::Failure(why);
    if (const ArchiveCheck check = CheckArchive(zipPath); !check.ok())
        return Outcome::Failure(check.error);

    if (!QDir().mkpath(m_folder))
        return Outcome::Failure(CannotWrite(m_folder));
    FolderLock lock(m_folder);
    if (!lock.held())
        return Outcome::Failure(LockRefusal(lock, m_folder));

    auto lines = AtomicFiles::ReadLines(m_folder + kCatalogFile);
    const QString base = SafeBaseName(organisation + QLatin1Char(' ') + examType + QLatin1Char(' ') + year,
                                      QStringLiteral("exame"));
    const QString zipName = FreeName(m_folder, base, QStringLiteral(".zip"), [&](const std::string& file) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) {
            const auto archive = ArchiveNameOf(l);
            return archive && SameIgnoringCase(*archive, file);
        });
    });
    if (!AtomicFiles::Copy(zipPath, m_folder + zipName))
        return Outcome::Failure(CannotWrite(m_folder));
    const std::string line = ToCp1252(organisation) + '#' + ToCp1252(examType) + '#' + ToCp1252(year) + '#'
        + zipName.toStdString();
    lines.push_back(line);
    if (!AtomicFiles::WriteLines(m_folder + kCatalogFile, lines)) {
        QFile::remove(m_folder + zipName);
        return Outcome::Failure(CannotWrite(m_folder));
    }
    return {true, {}, line};
}

QString UserMaterial::infoPathOf(const mockexam::MockExamEntry& entry) const
{
    if (!StaysInside(entry.pdfPath))
        return {};
    return QFile::decodeName(mockexam::PaperPath::Resolve(QFile::encodeName(mockExamFolder()).toStdString(),
                                                          mockexam::PaperPath::InfoPathFor(entry.pdfPath))
                                 .c_str());
}

Outcome UserMaterial::removePaper(const mockexam::MockExamEntry& entry)
{
    const QString simu = mockExamFolder();
    FolderLock lock(m_folder);
    if (!QFileInfo(m_folder).isDir())
        return Outcome::Failure(CannotWrite(m_folder));
    if (!lock.held())
        return Outcome::Failure(LockRefusal(lock, m_folder));
    auto lines = AtomicFiles::ReadLines(simu + kListFile);
    std::vector<std::string> kept;
    bool removed = false, stillNamed = false;
    for (auto& line : lines) {
        const auto e = mockexam::MockExamList::ParseLine(line);
        if (!removed && e && e->name == entry.name && e->pdfPath == entry.pdfPath) {
            removed = true;
            continue;
        }
        if (e && SameIgnoringCase(e->pdfPath, entry.pdfPath))
            stillNamed = true;
        kept.push_back(std::move(line));
    }
    if (!removed)
        return Outcome::Failure(QStringLiteral("Esta prova não foi adicionada por você; ela não pode ser removida."));
    if (!AtomicFiles::WriteLines(simu + kListFile, kept))
        return Outcome::Failure(CannotWrite(simu));
    if (!stillNamed && StaysInside(entry.pdfPath)) {
        QFile::remove(QFile::decodeName(
            mockexam::PaperPath::Resolve(QFile::encodeName(simu).toStdString(), entry.pdfPath).c_str()));
        const QString key = QFile::decodeName(
            mockexam::PaperPath::Resolve(QFile::encodeName(simu).toStdString(),
                                         mockexam::PaperPath::KeyPathFor(entry.pdfPath))
                .c_str());
        QFile::remove(key);
        // Its rules and the keys an update kept go with it, so a later paper
        // of the same name starts plain.
        QFile::remove(infoPathOf(entry));
        const QFileInfo keyFile(key);
        const QDir dir(keyFile.absolutePath());
        const QString kept = keyFile.completeBaseName() + QStringLiteral(".gabarito-");
        for (const QString& name :
             dir.entryList({kept + QStringLiteral("*.txt"), kept + QStringLiteral("*.ini")}, QDir::Files))
            QFile::remove(dir.filePath(name));
    }
    return {true, {}, entry.name + '#' + entry.pdfPath};
}

Outcome UserMaterial::removeExam(const catalog::CatalogEntry& entry)
{
    FolderLock lock(m_folder);
    if (!QFileInfo(m_folder).isDir())
        return Outcome::Failure(CannotWrite(m_folder));
    if (!lock.held())
        return Outcome::Failure(LockRefusal(lock, m_folder));
    const std::string wanted = entry.organisation + '#' + entry.examType + '#' + entry.year + '#' + entry.archiveName;
    auto lines = AtomicFiles::ReadLines(m_folder + kCatalogFile);
    std::vector<std::string> kept;
    bool removed = false, stillNamed = false;
    for (auto& line : lines) {
        // The catalog shows one of several lines equal apart from case, so
        // any of them is the entry shown.
        if (!removed && SameIgnoringCase(line, wanted)) {
            removed = true;
            continue;
        }
        if (const auto archive = ArchiveNameOf(line); archive && SameIgnoringCase(*archive, entry.archiveName))
            stillNamed = true;
        kept.push_back(std::move(line));
    }
    if (!removed)
        return Outcome::Failure(QStringLiteral("Este exame não foi adicionado por você; ele não pode ser removido."));
    if (!AtomicFiles::WriteLines(m_folder + kCatalogFile, kept))
        return Outcome::Failure(CannotWrite(m_folder));
    if (!stillNamed && StaysInside(entry.archiveName))
        QFile::remove(QFile::decodeName(
            mockexam::PaperPath::Resolve(QFile::encodeName(m_folder).toStdString(), entry.archiveName).c_str()));
    return {true, {}, wanted};
}

} // namespace zelvora::usermaterial

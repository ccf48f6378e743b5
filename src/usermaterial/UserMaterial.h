#pragma once
// The material a user adds from the program: papers with their answer keys
// and exam archives, kept in the user's own data folder (never in the
// installed one). The folder has the layout of any data folder: "nomes.txt"
// and the exam zips at its top, "simu/lista.txt", the PDFs and the keys in
// "simu". Files are written in Windows-1252 with CR LF line ends, each write
// atomic (a crash leaves the old file or the new one), and every
// read-modify-write of a list holds the folder's lock, so two programs adding
// at the same time lose nothing.
#include "catalog/CatalogEntry.h"
#include "mockexam/KeySheet.h"
#include "mockexam/MockExamEntry.h"
#include "mockexam/PaperInfo.h"

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace zelvora::usermaterial {

struct Outcome {
    bool ok = false;
    QString message; // why it failed, in Portuguese; empty on success
    std::string line; // the list line written (Windows-1252), on success

    static Outcome Failure(const QString& why) { return {false, why, {}}; }
};

// What the program's zip reader makes of an archive.
struct ArchiveCheck {
    QString error; // empty when the archive opens and lists files
    QStringList entries; // the entry names, in the archive's order, folders separated by "/"
    int files = 0; // entries that are files, folders not counted
    bool ok() const { return error.isEmpty(); }
};

class UserMaterial {
public:
    // folder: the user's data folder (created on the first addition).
    explicit UserMaterial(const QString& folder);

    // $XDG_DATA_HOME/zelvora/dados/ (~/.local/share/zelvora/dados/).
    static QString DefaultFolder();

    QString folder() const { return m_folder; } // ends in "/"
    QString mockExamFolder() const { return m_folder + QStringLiteral("simu/"); }

    // Why text cannot be stored as a list field, or empty when it can: it
    // must not be empty, must not hold "#" or a line break or another control
    // character, and every character must exist in Windows-1252. what names
    // the field in the message ("O nome", "A organização").
    static QString CheckField(const QString& text, const QString& what);

    // Opens the archive with the program's zip reader and lists its entries;
    // refused when it cannot be read or holds no file.
    static ArchiveCheck CheckArchive(const QString& zipPath);

    // Why the program would refuse to read the PDF at pdfPath (not a regular
    // file, larger than DataFile::PaperCap, unreadable), in Portuguese; empty
    // when the read would succeed. Whether the PDF engine opens it is told
    // by the caller that has the engine, with NotAPdf's message.
    static QString PaperFileRefusal(const QString& pdfPath);
    static QString NotAPdf(const QString& pdfPath);

    // A file name base made of plain letters, digits and "-" from text.
    static QString SafeBaseName(const QString& text, const QString& fallback);

    // Copies the PDF into "simu", writes the key (digits "1" to "5") beside
    // it and appends "name#file.pdf" to "simu/lista.txt". Refused, with
    // nothing written, when the PDF could not be read (PaperFileRefusal) or
    // the key has more than AnswerKeyText::MaxQuestions answers.
    Outcome addPaper(const QString& pdfPath, const QString& name, const std::vector<std::string>& keyDigits);
    // The same with a key read from a board's sheet: its annulled questions
    // and, for right/wrong items, "tipo=certo-errado" go into the paper's
    // info file beside the key.
    Outcome addPaperWithKey(const QString& pdfPath, const QString& name, const mockexam::KeySection& key);

    // The info file for a key from a board's sheet, written over base: the
    // key's item type and annulled questions, the rest as base has it;
    // without comments the section's title becomes the one comment.
    static std::string InfoBytes(const mockexam::KeySection& key, mockexam::PaperInfo base = {},
                                 std::vector<std::string> comments = {});

    // Checks the archive, copies it into the folder and appends
    // "organisation#examType#year#file.zip" to "nomes.txt".
    Outcome addExam(const QString& zipPath, const QString& organisation, const QString& examType, const QString& year);

    // Removes the paper's list line and, when no other line names the same
    // PDF, the PDF and its key. Only material of this folder is touched.
    Outcome removePaper(const mockexam::MockExamEntry& entry);
    // The info file of a paper of this folder (its rules), beside its key;
    // empty for a path that would leave the folder.
    QString infoPathOf(const mockexam::MockExamEntry& entry) const;
    // Removes the exam's catalog line and, when no other line names the
    // same archive, the archive.
    Outcome removeExam(const catalog::CatalogEntry& entry);

private:
    // infoBytes: the info file, none when empty.
    Outcome addPaperFiles(const QString& pdfPath, const QString& name, const std::vector<std::string>& keyLines,
                          const std::string& infoBytes);

    QString m_folder;
};

} // namespace zelvora::usermaterial

#pragma once
// Writes the whole sample data folder: the skin pictures, the catalog
// "nomes.txt" with one zip archive per exam, and the mock-exam folder "simu"
// with its list, papers, answer keys and info files. Text files are Windows-1252 with
// CR LF line ends, as the program's data files are made on Windows.
//
// Needs a QGuiApplication (fonts). The same program always writes the same
// bytes. Files of the folder that it does not write are left alone.
#include "MockPaper.h"
#include "Question.h"

#include <QString>

#include <string>
#include <vector>

namespace zelvora::sampledata {

class SampleFolderWriter {
public:
    // Questions in each catalog exam's paper inside its archive.
    static constexpr int ArchivePaperQuestions = 12;

    // Throws std::runtime_error naming the file that could not be written.
    static void Write(const QString& folder);

    // Windows-1252 to code page 850, for file names inside the archives (as
    // MS-DOS zip programs store them); a byte that 850 lacks becomes "_".
    static std::string ToCp850(const std::string& cp1252);

    // The info file of a mock paper ("prova.ini"): its duration, item type,
    // scoring rule, annulled questions and subjects, in Windows-1252.
    static std::string InfoFile(const MockPaper& paper, const std::vector<Question>& questions);

    // The questions of a mock paper, as Write puts them in its PDF and key.
    static std::vector<Question> Questions(const MockPaper& paper);

    // FNV-1a: a stable seed from a name.
    static uint64_t Seed(const std::string& name);
};

} // namespace zelvora::sampledata

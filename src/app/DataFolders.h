#pragma once
// Where the program reads its content.
//
// One fixed folder, given with "--dados PASTA" or ZELVORA_DADOS, is used alone,
// exactly as given. Otherwise the program reads, in this order, the user's own
// folder (~/.local/share/zelvora/dados, where material added from the program
// goes) and the installed folder: "dados" beside the executable, or the
// package's folder under <prefix>/share/zelvora/dados. Each folder keeps its
// mock exams in its "simu" sub-folder.
#include <functional>
#include <string>
#include <vector>

namespace zelvora::app {

struct DataFolders {
    std::string dataFolder; // always ends in "/"
    std::string mockExamFolder; // dataFolder + "simu/"
};

// The folders that may hold the installed data folder, most wanted first,
// each ending in "/". executablePath is the full path of the running program
// (links resolved). The first is the executable's folder followed by
// "dados/"; then "share/zelvora/dados/" under the executable folder's parent
// and grandparent, which covers <prefix>/bin/zelvora and
// <prefix>/lib/zelvora/zelvora.
std::vector<std::string> InstalledDataFolderCandidates(const std::string& executablePath);

// The first candidate above that is an existing folder; the first candidate
// (the folder beside the program) when none is, so a missing data folder is
// reported at the place the program is documented to read.
DataFolders ComputeDataFolders(const std::string& executablePath);

// One folder content is read from. User folders take the material the user
// adds from the program; the others are never written.
struct DataSource {
    std::string folder; // ends in "/"
    bool user = false;

    std::string mockExamFolder() const { return folder + "simu/"; }
    bool operator==(const DataSource&) const = default;
};

struct DataSourceRequest {
    std::string fixedFolder; // --dados or ZELVORA_DADOS; empty when none
    std::string userFolder; // the user's own folder
    std::vector<std::string> installedFolders; // candidates, in order
};

struct DataSourceChoice {
    // In reading order: the user's folder first. Empty when no folder exists
    // at all; lookedAt then names every folder that was tried.
    std::vector<DataSource> sources;
    std::vector<std::string> lookedAt;
    bool fixed = false; // one folder given on the command line or environment

    // The user's folder, or nullptr (a fixed folder has none).
    const DataSource* userSource() const;
    bool found() const { return !sources.empty(); }
};

// folderExists tells whether a folder exists (injected so tests need no disk).
// A fixed folder is the only one tried. The user's folder is always a source when the program is not fixed to one
// folder (it is created on the first addition); of the installed candidates
// the first that exists is read. Nothing is found when the user's folder does
// not exist yet and no installed candidate does either.
DataSourceChoice ChooseDataSources(const DataSourceRequest& request,
                                   const std::function<bool(const std::string&)>& folderExists);

// The first source whose folder holds fileName (fileExists is given
// folder + fileName); the last source when none does.
std::string FirstFolderWith(const std::vector<DataSource>& sources, const std::string& fileName,
                            const std::function<bool(const std::string&)>& fileExists);

// The value of "--dados PASTA" or "--dados=PASTA" in the arguments (argv[0]
// excluded), else envValue. Empty when neither gives one.
std::string FixedFolderFrom(const std::vector<std::string>& arguments, const std::string& envValue);

// Adds the trailing "/" when missing.
std::string WithTrailingSlash(std::string folder);

} // namespace zelvora::app

#pragma once
// The two options every Zelvora program answers without doing its work and
// without a display: --help (or -h) and --version.
#include <string>
#include <string_view>

namespace zelvora::app {

enum class InfoOption { None, Help, Version };

// The first of "--help", "-h" or "--version" among argv[1..argc-1]; a "--"
// argument ends the options, so a file named "--help" can still be given
// after it.
InfoOption FindInfoOption(int argc, const char* const* argv);

// "<program> <version>", the version being the project's release.
std::string VersionLine(std::string_view program);

} // namespace zelvora::app

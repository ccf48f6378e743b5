#include "app/InfoOptions.h"

namespace zelvora::app {

InfoOption FindInfoOption(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--")
            break;
        if (arg == "--help" || arg == "-h")
            return InfoOption::Help;
        if (arg == "--version")
            return InfoOption::Version;
    }
    return InfoOption::None;
}

std::string VersionLine(std::string_view program)
{
    // ZELVORA_VERSION comes from the project version in CMakeLists.txt.
    return std::string(program) + " " ZELVORA_VERSION;
}

} // namespace zelvora::app

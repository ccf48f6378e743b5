#include "mockexam/AnswerKey.h"

#include "text/TextList.h"

namespace zelvora::mockexam {

std::optional<std::vector<std::string>> AnswerKey::Load(const std::string& path)
{
    auto lines = text::ReadTextList(path, text::DataFile::KeyCap);
    if (!lines || lines->empty())
        return std::nullopt;
    return lines;
}

} // namespace zelvora::mockexam

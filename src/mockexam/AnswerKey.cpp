#include "mockexam/AnswerKey.h"

#include "text/TextList.h"

namespace zelvora::mockexam {

std::optional<std::vector<std::string>> AnswerKey::Load(const std::string& path)
{
    auto lines = text::ReadTextList(path);
    if (!lines || lines->empty())
        return std::nullopt;
    return lines;
}

} // namespace zelvora::mockexam

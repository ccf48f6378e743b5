#include "attempts/PaperCutoff.h"

#include "mockexam/AnswerKey.h"
#include "mockexam/BoardScore.h"
#include "mockexam/PaperInfoReader.h"
#include "mockexam/PaperPath.h"

#include <QFile>

namespace zelvora::attempts {

std::optional<PaperCutoff> PaperCutoff::For(const PaperIdentity& paper)
{
    const std::string pdf = QFile::encodeName(paper.pdfPath).toStdString();
    const auto reading = mockexam::PaperInfoReader::Load(mockexam::PaperPath::InfoPathFor(pdf));
    if (!reading || !reading->info.cutoff)
        return std::nullopt;
    const auto key = mockexam::AnswerKey::Load(mockexam::PaperPath::KeyPathFor(pdf));
    if (!key)
        return std::nullopt;
    const auto board = mockexam::BoardScore::Compute(*key, {}, reading->info);
    if (board.maximum <= 0)
        return std::nullopt;
    return PaperCutoff{*reading->info.cutoff, board.maximum};
}

} // namespace zelvora::attempts

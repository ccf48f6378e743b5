#include "notebook/PaperLabel.h"

#include <QRegularExpression>
#include <QStringList>

namespace zelvora::notebook {

PaperLabel PaperLabel::Parse(const QString& paperName)
{
    PaperLabel label;
    const QStringList parts = paperName.split(QStringLiteral(" - "));
    if (parts.size() < 3)
        return label;
    static const QRegularExpression year(QStringLiteral("^(19|20)\\d\\d\\b"));
    // "... - 2008 - 2ª fase": the year may be followed by the phase.
    for (int i = parts.size() - 1; i >= 2; --i) {
        const QString part = parts[i].trimmed();
        if (year.match(part).hasMatch()) {
            label.year = parts.mid(i).join(QStringLiteral(" - ")).trimmed();
            label.board = parts[i - 1].trimmed();
            return label;
        }
    }
    return label;
}

} // namespace zelvora::notebook

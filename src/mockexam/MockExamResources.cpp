#include "mockexam/MockExamResources.h"

static void RegisterMockExamResources()
{
    Q_INIT_RESOURCE(mockexam);
}

namespace zelvora::mockexam {

void EnsureResources()
{
    static const bool registered = [] {
        RegisterMockExamResources();
        return true;
    }();
    (void)registered;
}

QImage PaperAreaPicture()
{
    EnsureResources();
    return QImage(QStringLiteral(":/mockexam/simulfundo.png"));
}

QImage ResultsPicture()
{
    EnsureResources();
    return QImage(QStringLiteral(":/mockexam/resultado.png"));
}

} // namespace zelvora::mockexam

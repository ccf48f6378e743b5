#include "mockexam/MockExamResources.h"

#include "app/Artwork.h"

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
    return app::ScreenPicture(QStringLiteral(":/mockexam/simulfundo.png"));
}

QImage ResultsPicture()
{
    EnsureResources();
    return app::ScreenPicture(QStringLiteral(":/mockexam/resultado.png"));
}

} // namespace zelvora::mockexam

#include "app/FailureGuard.h"

#include "app/MessageBoxes.h"

namespace zelvora::app {

void ShowFailure(const AppContext& ctx, const QString& text)
{
    if (ctx.messages) {
        ctx.messages->show(nullptr, text, ctx.title);
        return;
    }
    QtMessageBoxes boxes;
    boxes.show(nullptr, text, ctx.title);
}

} // namespace zelvora::app

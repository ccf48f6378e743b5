#pragma once
// The one guard of the program: a failure that no handler caught is shown in
// a message box with its own text and the program's title, and goes no
// further. The application runs every event through it, and every window
// runs the handlers it connects to signals through it (GuardedSlot.h), so no
// exception ever crosses Qt's event or signal code.
#include "app/AppContext.h"

#include <QString>

#include <exception>
#include <utility>

namespace zelvora::app {

// Shows text in a message box owned by no window, captioned with the title.
void ShowFailure(const AppContext& ctx, const QString& text);

// Runs fn; returns false when a failure left it (and was shown).
template <typename Fn>
bool RunGuarded(const AppContext& ctx, Fn&& fn)
{
    try {
        std::forward<Fn>(fn)();
        return true;
    } catch (const std::exception& e) {
        ShowFailure(ctx, QString::fromUtf8(e.what()));
    } catch (...) {
        ShowFailure(ctx, QStringLiteral("Erro desconhecido."));
    }
    return false;
}

} // namespace zelvora::app

#pragma once
// Slots for QObject::connect that run inside the program's guard
// (FailureGuard.h): a failure in the handler is shown and stops there,
// instead of unwinding through Qt's signal code.
//
//   connect(button, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformMain::btSairClick));
//   connect(timer, &QTimer::timeout, this, Guarded(m_ctx, [this] { tick(); }));
//
// The slot takes as many of the signal's arguments as the handler accepts,
// as a plain connect does.
#include "app/AppContext.h"
#include "app/FailureGuard.h"

#include <concepts>
#include <functional>
#include <utility>

namespace zelvora::gui {

template <typename Fn>
auto Guarded(const app::AppContext& ctx, Fn fn)
{
    return [ ctx = &ctx,
             fn = std::move(fn) ]<typename... Args>(Args && ... args) requires std::invocable<const Fn&, Args...>
    {
        app::RunGuarded(*ctx, [&] { std::invoke(fn, std::forward<Args>(args)...); });
    };
}

template <typename Receiver, typename Handler>
auto Guarded(const app::AppContext& ctx, Receiver* receiver, Handler handler)
{
    return [ ctx = &ctx, receiver,
             handler ]<typename... Args>(Args && ... args) requires std::invocable<Handler, Receiver*, Args...>
    {
        app::RunGuarded(*ctx, [&] { std::invoke(handler, receiver, std::forward<Args>(args)...); });
    };
}

} // namespace zelvora::gui

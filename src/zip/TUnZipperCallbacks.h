#pragma once
// What the zip component needs from the program around it. The component
// has no window of its own; the program hands these in (the GUI passes its
// event processing, override cursor and message box; the command line
// passes a printer to stderr). Any of them may be left empty.
#include <functional>
#include <string>

namespace zelvora::zip {

struct TUnZipperCallbacks {
    // Lets pending window messages run during long work.
    std::function<void()> processMessages;
    // Shows (true) or restores (false) the hourglass cursor.
    std::function<void(bool on)> waitCursor;
    // A plain message box with one OK button and no owner window.
    std::function<void(const std::string& text, const std::string& caption)> messageBox;
};

} // namespace zelvora::zip

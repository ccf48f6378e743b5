#pragma once
class QWidget;

namespace zelvora::gui {

// Moves a top-level window so that its frame stands in the middle of the
// primary screen.
void CenterOnScreen(QWidget* window);

} // namespace zelvora::gui

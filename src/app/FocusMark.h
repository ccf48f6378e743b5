#pragma once
// The keyboard focus mark of the program's image buttons and clickable
// labels: a dashed frame, dark on light, just inside the control's edge, so
// it shows on any skin.
class QWidget;

namespace zelvora::gui {

// Paints the mark on w; call from w's paintEvent.
void PaintFocusMark(QWidget* w);

} // namespace zelvora::gui

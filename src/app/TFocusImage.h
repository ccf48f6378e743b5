#pragma once
// A hot zone: an invisible control laid over a skin picture, with the hand
// cursor. A left-button release over the zone clicks, and the click is
// delivered before the mouse-up, so an action started by the click (a modal
// window, a file dialog) runs while the pressed look is still drawn. Any
// button shows the pressed look (mouseDown/mouseUp); only the left one clicks.
// A disabled zone receives no mouse events at all.
#include <QWidget>

namespace zelvora::gui {

class TFocusImage : public QWidget {
    Q_OBJECT
public:
    explicit TFocusImage(QWidget* parent = nullptr);
    TFocusImage(const QRect& place, QWidget* parent);

signals:
    void OnClick();
    void OnMouseDown(zelvora::gui::TFocusImage* sender, Qt::MouseButton button);
    void OnMouseUp(zelvora::gui::TFocusImage* sender, Qt::MouseButton button);
    void OnMouseEnter();
    void OnMouseLeave();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
};

} // namespace zelvora::gui

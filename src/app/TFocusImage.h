#pragma once
// A hot zone: an invisible control laid over a skin picture, with the hand
// cursor. A left-button release over the zone clicks, and the click is
// delivered before the mouse-up, so an action started by the click (a modal
// window, a file dialog) runs while the pressed look is still drawn. Any
// button shows the pressed look (mouseDown/mouseUp); only the left one clicks.
// A disabled zone receives no mouse events at all.
//
// The keyboard reaches it too: Tab gives it the focus (a mark is drawn over
// the skin), Enter or Space pressed and released on it, its shortcut, or a
// screen reader's press action give the same three signals as a left click:
// OnMouseDown, OnClick, OnMouseUp. Its text is the caption drawn in the skin
// ("Copiar"), the name under which screen readers announce it.
#include <QKeySequence>
#include <QString>
#include <QWidget>

namespace zelvora::gui {

class TFocusImage : public QWidget {
    Q_OBJECT
public:
    explicit TFocusImage(QWidget* parent = nullptr);
    TFocusImage(const QRect& place, QWidget* parent);

    void setText(const QString& text) { m_text = text; }
    QString text() const { return m_text; }

    // A key that presses the zone anywhere in its window (Alt+L). The
    // tooltip, when it shows, names it.
    void setShortcut(const QKeySequence& key);
    QKeySequence shortcut() const { return m_shortcut; }

    // What the tooltip shows: the hint (or the text when there is no hint)
    // followed by the shortcut in brackets.
    QString shownToolTip() const;

    // True while the focus mark is drawn: the zone has the focus and it came
    // from the keyboard (Tab, a key pressed on it), not from a window simply
    // becoming active, so a skin is never marked before the keyboard is used.
    bool focusMarkShown() const { return hasFocus() && m_markFocus; }

public slots:
    // A whole click from the keyboard: pressed look, click, normal look.
    // Does nothing while the zone is disabled.
    void press();

signals:
    void OnClick();
    void OnMouseDown(zelvora::gui::TFocusImage* sender, Qt::MouseButton button);
    void OnMouseUp(zelvora::gui::TFocusImage* sender, Qt::MouseButton button);
    void OnMouseEnter();
    void OnMouseLeave();

protected:
    bool event(QEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void enterEvent(QEnterEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QString m_text;
    QKeySequence m_shortcut;
    int m_shortcutId = 0;
    int m_heldKey = 0; // Enter or Space held down on the zone, 0 when none
    bool m_markFocus = false;
};

} // namespace zelvora::gui

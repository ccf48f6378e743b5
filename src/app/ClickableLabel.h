#pragma once
// A label that acts as a button ("OK" of the catalog search, the "X" that
// closes the exam window): the left button pressed and released inside it
// clicks. It takes every press and release, so none reaches the widgets
// below it. Given a focus policy with Tab (after it has been sized: a label
// that takes the focus asks for a pixel more), Tab reaches it, a focus mark is
// drawn, and Enter or Space released on it clicks as well.
#include <QLabel>

namespace zelvora::gui {

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

    // As for the image buttons: the mark shows when the focus came from the
    // keyboard.
    bool focusMarkShown() const { return hasFocus() && m_markFocus; }

public slots:
    // A click from the keyboard or a screen reader; nothing while disabled.
    void press();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void focusInEvent(QFocusEvent* e) override;
    void focusOutEvent(QFocusEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    int m_heldKey = 0;
    bool m_markFocus = false;
};

} // namespace zelvora::gui

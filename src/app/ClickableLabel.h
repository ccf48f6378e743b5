#pragma once
// A label that acts as a button ("OK" of the catalog search, the "X" that
// closes the exam window): the left button pressed and released inside it
// clicks. It takes every press and release, so none reaches the widgets
// below it.
#include <QLabel>

namespace zelvora::gui {

class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickableLabel(const QString& text, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

} // namespace zelvora::gui

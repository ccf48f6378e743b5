#pragma once
// The top strip's hint "Escolha a prova e clique em Iniciar" in the space
// right of the strip's last button. It stands over the strip's picture, in
// the strip's own colour, so a hint the picture carries is hidden wherever
// it would run off a narrow screen. Its own text shows whole where it fits
// (elsewhere the window shows it in the paper selector) and leaves, the
// space plain, once an exam runs.
#include <QWidget>

namespace zelvora::gui {

class StripHint : public QWidget {
    Q_OBJECT
public:
    static const QString Text; // "Escolha a prova e clique em Iniciar"

    explicit StripHint(QWidget* strip);

    // The space from left to the strip's right edge, on the button row.
    void place(int left, int top, int height);
    void setRunning(bool running);
    bool running() const { return m_running; }
    // Whether the whole hint fits in the space.
    bool fits() const;
    // What it shows now: the whole hint, or nothing.
    QString shownText() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    bool m_running = false;
};

} // namespace zelvora::gui

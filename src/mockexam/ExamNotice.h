#pragma once
// A notice laid over the exam window ("Faltam 5 minutos..."). It never takes
// the focus or the keyboard: the user keeps answering while it shows. It
// goes away by itself after a number of the exam clock's ticks, or when
// clicked.
#include <QLabel>

namespace zelvora::gui {

class ExamNotice : public QLabel {
    Q_OBJECT
public:
    static constexpr int ShownTicks = 15;

    explicit ExamNotice(QWidget* parent);

    // Shows text, centred near the top of the parent.
    void showNotice(const QString& text);
    // One tick of the exam clock.
    void tick();

protected:
    void mousePressEvent(QMouseEvent* e) override;

private:
    int m_ticksLeft = 0;
};

} // namespace zelvora::gui

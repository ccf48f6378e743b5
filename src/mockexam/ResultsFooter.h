#pragma once
// What the results window shows below its picture: the lines a paper's info
// file asks for (the time running out, the net score, one line per
// subject), then a row of buttons whose left end is "Revisar". It sits at
// the bottom of the results window, whose own labels stay where they are.
#include <QStringList>
#include <QWidget>

class QLabel;
class QPushButton;

namespace zelvora::gui {

class ResultsFooter : public QWidget {
    Q_OBJECT
public:
    static constexpr int ButtonRowHeight = 44;
    static constexpr int LineHeight = 21;

    explicit ResultsFooter(QWidget* parent);

    // Replaces the lines; the footer takes the height they need, a line too
    // long for the window's width wrapping onto the next.
    void setLines(const QStringList& lines);
    QStringList lines() const;
    // The height for the current lines and the button row.
    int neededHeight() const;

    QPushButton* reviewButton() const { return m_review; }

signals:
    void reviewRequested();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void arrange();
    int lineHeight(const QLabel* line) const;
    int textWidth() const;

    QList<QLabel*> m_lines;
    QPushButton* m_review = nullptr;
};

} // namespace zelvora::gui

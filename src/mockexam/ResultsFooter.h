#pragma once
// What the results window shows below its picture: the lines a paper's info
// file asks for (the time running out, the net score, one line per
// subject, the board's blocks, total and cut-off), then a row of buttons
// whose left end is "Revisar". It sits at the bottom of the results window,
// whose own labels stay where they are. When the lines need more height
// than the screen leaves, they scroll and the button row stays in view.
#include <QStringList>
#include <QWidget>

class QLabel;
class QPushButton;
class QScrollArea;

namespace zelvora::gui {

class ResultsFooter : public QWidget {
    Q_OBJECT
public:
    static constexpr int ButtonRowHeight = 44;
    static constexpr int LineHeight = 21;

    explicit ResultsFooter(QWidget* parent);

    // Replaces the lines; the footer takes the height they need, up to the
    // limit, a line too long for the window's width wrapping onto the next.
    // alerts[i], when given and not empty, follows line i in red
    // ("eliminado").
    void setLines(const QStringList& lines, const QStringList& alerts = {});
    QStringList lines() const;
    QStringList alerts() const;
    // The most the lines may take before they scroll.
    void setMaxLinesHeight(int pixels);
    // The height for the current lines (scrolling past the limit) and the
    // button row.
    int neededHeight() const;

    QPushButton* reviewButton() const { return m_review; }

signals:
    void reviewRequested();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    void arrange();
    int linesHeight() const;
    int lineHeight(qsizetype i) const;
    int textWidth() const;

    QScrollArea* m_scroll = nullptr;
    QWidget* m_content = nullptr;
    QList<QLabel*> m_lines;
    QList<QLabel*> m_alerts; // one per line, null when the line has none
    QPushButton* m_review = nullptr;
    int m_maxLinesHeight = 1 << 20;
};

} // namespace zelvora::gui

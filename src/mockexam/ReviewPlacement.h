#pragma once
// Where the review of a finished exam goes so that it covers no paper: the
// results window steps aside (hidden until the review closes) and the review
// list stands in a band between the paper and the answer column, from below
// the top strip to the bottom of the screen. The paper gives that band up
// while the review is on screen (reservedWidth), so no page lies under it.
#include <QObject>
#include <QPointer>
#include <QRect>

class QWidget;

namespace zelvora::gui {

class ReviewPlacement : public QObject {
    Q_OBJECT
public:
    static constexpr int BandWidth = 340;

    // exam: the exam window; review: its review window.
    ReviewPlacement(QWidget* exam, QWidget* review);

    // The band in the exam window's own coordinates for a window of the
    // given size, a top strip of topHeight and an answer column of
    // columnWidth at the right edge. On a window too narrow to keep a
    // third of it for the paper the band is narrower.
    static QRect Band(const QSize& window, int topHeight, int columnWidth);

    void setArea(int topHeight, int columnWidth);
    // Shows the review in its band; results (if shown) hides until the
    // review closes.
    void begin(QWidget* results);
    // The width the paper gives up: the band's while the review is shown.
    int reservedWidth() const;

signals:
    // The review came or went: the paper's width changes.
    void changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void place();
    void end();

    QWidget* m_exam;
    QWidget* m_review;
    QPointer<QWidget> m_results;
    int m_topHeight = 0;
    int m_columnWidth = 0;
    bool m_active = false;
};

} // namespace zelvora::gui

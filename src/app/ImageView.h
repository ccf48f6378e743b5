#pragma once
// An image control: shows its picture at natural size from its top-left
// corner, without stretching. The press effect of the hot zones draws on the
// picture; the skin files it came from stay unchanged.
#include <QImage>
#include <QWidget>

namespace zelvora::gui {

class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

    // Copies rect of source onto the same rect of the picture, then repaints.
    // The same numbers serve as source and destination. An empty picture or
    // source changes nothing.
    void copyRect(const QImage& source, const QRect& rect);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    QImage m_picture;
};

} // namespace zelvora::gui

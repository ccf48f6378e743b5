#pragma once
// An image control: shows its picture at natural size from its top-left
// corner, without stretching. The press effect of the hot zones draws on the
// picture; the skin files it came from stay unchanged.
#include <QImage>
#include <QWidget>

#include <functional>

namespace zelvora::gui {

class ImageView : public QWidget {
    Q_OBJECT
public:
    explicit ImageView(QWidget* parent = nullptr);

    void setPicture(const QImage& picture);
    // A picture made only when first needed (painted, read or drawn on), so
    // a window that is not shown yet decodes nothing at start-up.
    void setPicture(std::function<QImage()> source);
    const QImage& picture() const;

    // Copies rect of source onto the same rect of the picture, then repaints.
    // The same numbers serve as source and destination, in logical pixels:
    // a picture with twice the pixels ("@2x") copies twice the pixels. An
    // empty picture or source changes nothing.
    void copyRect(const QImage& source, const QRect& rect);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent*) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    mutable QImage m_picture;
    mutable std::function<QImage()> m_source;
};

} // namespace zelvora::gui

#pragma once
// The PDF viewer control of the exam window: a thin widget over Qt PDF that
// shows every page of one document, one under the other, fitted to its
// width. A left drag does not scroll the page (the flick gesture is removed),
// so it can never be mistaken for a pick.
//
// Zoom: Ctrl+wheel over the page, or zoomIn/zoomOut; fitToWidth returns to
// the initial fit.
#include <QString>
#include <QWidget>

#include <utility>
#include <vector>

class QPdfView;
namespace zelvora::mockexam {
class PaperDocument;
} // namespace zelvora::mockexam

namespace zelvora::gui {

class TPdfViewer : public QWidget {
    Q_OBJECT
public:
    explicit TPdfViewer(QWidget* parent = nullptr);
    ~TPdfViewer() override;

    // Opens the PDF at fileName and shows it from its first page, fitted to
    // the width. A file that does not open as a PDF with at least one page is
    // a failed load: the result is false and the document shown before stays.
    // The file is read through PaperDocument, so a pipe, a device or a file
    // larger than any paper is a failed load too, never a wait.
    bool LoadFile(const QString& fileName);

    QString fileName() const { return m_fileName; }
    int pageCount() const;
    QPdfView* view() const { return m_view; }

    // Scrolls to the first page whose text holds words as a whole (not as
    // the start of a longer number: "Questão 1" is not found in "Questão
    // 12"). Returns false, and stays where it is, when no page does.
    bool showPageWith(const QString& words);

    // Scrolls so that the point y (PDF points from the page's top) of page
    // (from 0) stands a little below the top of the view, where a reader
    // starts; false, and no scrolling, without such a page.
    bool showPlace(int page, double y);
    // The page and y of the point at that reading line, or of a point of
    // the viewport; page -1 without a document. The viewer's accessible
    // description says the same ("Página 3, y 120,5"; page from 1).
    struct Place {
        int page = -1;
        double y = 0;
    };
    Place shownPlace() const;
    Place placeAt(const QPoint& viewportPoint) const;
    // How far below the view's top showPlace puts its point, in pixels.
    static constexpr int ReadingLine = 16;

    // A right click on the page offers this text in a menu (nothing when
    // empty); choosing it emits placeChosen with the place clicked.
    void setPlaceMenuText(const QString& text) { m_placeMenuText = text; }

    void zoomIn();
    void zoomOut();
    void fitToWidth();
    // The factor the pages are drawn at (1 = natural size).
    qreal zoomFactor() const;
    bool isFittedToWidth() const;

signals:
    void placeChosen(int page, double y);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void zoomBy(qreal step);
    // The top of every page and its height, in pixels of the scrolled
    // document, as the view lays them out.
    std::vector<std::pair<double, double>> pageBands() const;
    void describePlace();

    QPdfView* m_view = nullptr;
    zelvora::mockexam::PaperDocument* m_document = nullptr;
    QString m_fileName;
    QString m_placeMenuText;
    // A place asked for before the view had laid its pages out: taken up
    // again when its scroll range changes.
    Place m_pending;
};

} // namespace zelvora::gui

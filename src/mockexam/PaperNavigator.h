#pragma once
// Keeps the paper in step with the question being answered: when a question
// is chosen, the viewer scrolls so that its first line stands near the top;
// scrolling by hand never changes the question. The map comes from a
// PaperMapLoader (found off the window's thread, kept in the store); until it
// is ready, or for a question it has no place for, the paper stays where it
// is. A right click on the paper offers "A questão N começa aqui" for the
// current question N, which is kept for the paper and used from then on.
#include "mockexam/PaperMapLoader.h"

#include <QObject>

namespace zelvora::gui {

class TPdfViewer;

class PaperNavigator : public QObject {
    Q_OBJECT
public:
    PaperNavigator(TPdfViewer* viewer, QObject* parent = nullptr);

    mockexam::PaperMapLoader& loader() { return m_loader; }

    // A paper was opened in the viewer: its map is looked for.
    void paperStarted(const QString& pdfPath, int questionCount, int current);
    // No paper: nothing is scrolled and the menu is gone.
    void paperClosed();
    // The question (0-based) shown in the answer column.
    void questionChosen(int question);

private:
    void scrollToCurrent();
    void placeChosen(int page, double y);

    TPdfViewer* m_viewer;
    mockexam::PaperMapLoader m_loader;
    int m_current = -1;
};

} // namespace zelvora::gui

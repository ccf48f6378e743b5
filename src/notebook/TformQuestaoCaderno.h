#pragma once
// One notebook question shown in its paper, read-only: the paper brought to
// where the question starts (when its question map knows it), the question's
// number, the key's answer and the user's note. Nothing can be answered here.
//
// Controls (object names): lQuestao, lGabarito, lAnotacao, PDF (the paper).
#include "app/PaperPane.h"
#include "notebook/NotebookItem.h"

#include <QWidget>

class QLabel;

namespace zelvora::gui {

class TformQuestaoCaderno : public QWidget {
    Q_OBJECT
public:
    // panes: how the paper's view is made (see PaperPane); without one the
    // paper opens at its first page.
    explicit TformQuestaoCaderno(const PaperPaneFactory& panes = {}, QWidget* parent = nullptr);
    ~TformQuestaoCaderno() override;

    void showItem(const notebook::NotebookItem& item);
    bool paperLoaded() const { return m_loaded; }

private:
    QLabel* m_questao = nullptr;
    QLabel* m_gabarito = nullptr;
    QLabel* m_anotacao = nullptr;
    PaperPane* m_pane = nullptr;
    QString m_shownPdf;
    bool m_loaded = false;
};

} // namespace zelvora::gui

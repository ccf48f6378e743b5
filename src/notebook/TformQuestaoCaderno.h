#pragma once
// One notebook question shown in its paper, read-only: the paper's PDF, the
// question's number, the key's answer and the user's note. Nothing can be
// answered here.
//
// Controls (object names): lQuestao, lGabarito, lAnotacao, PDF.
#include "notebook/NotebookItem.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;

namespace zelvora::gui {

class TPdfViewer;

class TformQuestaoCaderno : public QWidget {
    Q_OBJECT
public:
    explicit TformQuestaoCaderno(QWidget* parent = nullptr);

    // Where a question stands in its paper (0-based page), when the paper's
    // question map knows it; without one the paper opens at its first page.
    std::function<std::optional<int>(const notebook::NotebookItem&)> pageOf;

    void showItem(const notebook::NotebookItem& item);
    const TPdfViewer* viewer() const { return m_pdf; }
    bool paperLoaded() const { return m_loaded; }

private:
    QLabel* m_questao = nullptr;
    QLabel* m_gabarito = nullptr;
    QLabel* m_anotacao = nullptr;
    TPdfViewer* m_pdf = nullptr;
    bool m_loaded = false;
};

} // namespace zelvora::gui

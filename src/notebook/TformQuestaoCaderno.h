#pragma once
// One notebook question shown in its paper, read-only: the paper's PDF, the
// question's number, the key's answer and the user's note. Nothing can be
// answered here.
//
// Controls (object names): lQuestao, lGabarito, lAnotacao, PDF.
#include "notebook/NotebookItem.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QLabel;

class QPdfView;

namespace zelvora::mockexam {
class PaperDocument;
} // namespace zelvora::mockexam

namespace zelvora::gui {

class TformQuestaoCaderno : public QWidget {
    Q_OBJECT
public:
    explicit TformQuestaoCaderno(QWidget* parent = nullptr);
    ~TformQuestaoCaderno() override;

    // Where a question stands in its paper (0-based page), when the paper's
    // question map knows it; without one the paper opens at its first page.
    std::function<std::optional<int>(const notebook::NotebookItem&)> pageOf;

    void showItem(const notebook::NotebookItem& item);
    bool paperLoaded() const { return m_loaded; }

private:
    // Shows the paper at path from its first page; false when it cannot be opened.
    bool loadPaper(const QString& path);
    QLabel* m_questao = nullptr;
    QLabel* m_gabarito = nullptr;
    QLabel* m_anotacao = nullptr;
    // The paper shown, read as the exam window reads it.
    std::unique_ptr<mockexam::PaperDocument> m_paper;
    QPdfView* m_pdf = nullptr;
    bool m_loaded = false;
};

} // namespace zelvora::gui

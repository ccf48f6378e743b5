#pragma once
// The mock-exam window's part in the user's own material: the button
// "Adicionar prova" in the top strip, right of the start button, and
// "Remover prova adicionada", "Regras da prova..." (both disabled for
// installed and sample papers) and "Atualizar gabarito..." (disabled for
// installed and sample papers) in the paper selector's context menu.
#include "app/AppContext.h"
#include "mockexam/MockExamEntry.h"

#include <QObject>

#include <functional>
#include <optional>

class QComboBox;
class QMenu;
class QPushButton;
class QWidget;

namespace zelvora::gui {

class PaperAdditions : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        // The entry of the selected paper, if any.
        std::function<std::optional<mockexam::MockExamEntry>()> selectedEntry;
        // Reads the lists again and selects the given entry, as if the user
        // had picked it (none: no selection).
        std::function<void(const std::optional<mockexam::MockExamEntry>&)> reload;
    };

    // The button's place in the top strip; its left edge is fixed, so the
    // controls around it never move.
    static constexpr int ButtonX = 790, ButtonY = 80, ButtonWidth = 150, ButtonHeight = 36;

    PaperAdditions(app::AppContext& ctx, QWidget* window, QWidget* topStrip, QComboBox* selector, Hooks hooks);

    QPushButton* button() const { return m_button; }
    // Enabled when the program has a user folder (not fixed by --dados).
    void updateEnabled();
    QMenu* buildMenu(QWidget* parent);

public slots:
    void addPaper();
    void removeSelected();
    // A new answer key for the selected paper (the application's key update).
    void updateKey();
    // "Regras da prova" for the selected paper, when it is the user's own.
    void editRulesOfSelected();

private:
    // Opens "Regras da prova" for entry; true when the rules were saved.
    bool editRules(const mockexam::MockExamEntry& entry);

    app::AppContext& m_ctx;
    QWidget* m_window;
    QComboBox* m_selector;
    Hooks m_hooks;
    QPushButton* m_button;
};

} // namespace zelvora::gui

#pragma once
// The exam window's top strip (pTop): the skin picture imLogo, "Selecione a
// Prova:" (Label1), the paper selector comboProva, the start button btInicio,
// the time limit edDuracao with its label lDuracao, btHistorico and the "X"
// (Label2) in the band above the strip's rule, and the hint lDica after the
// last button. It keeps the papers the selector lists, in collation order,
// and knows the entry behind the selection; what the strip's controls do is
// the exam window's.
#include "app/AppContext.h"
#include "app/LoadSkinImage.h"
#include "mockexam/MockExamEntry.h"

#include <QFrame>

#include <optional>
#include <vector>

class QComboBox;
class QLabel;
class QPushButton;

namespace zelvora::gui {

class ClickableLabel;
class DurationBox;
class ImageView;
class StripHint;
class TFocusImage;

class ExamTopStrip : public QFrame {
    Q_OBJECT
public:
    static constexpr int Height = 117;

    ExamTopStrip(app::AppContext& ctx, QWidget* parent);

    // The skin picture of the data folder, and letting it go.
    void loadSkin();
    void clearSkin();
    // The start button drawn pressed or not.
    void showStartPressed(bool pressed);

    // Lays the strip out across width: the "X" at the right edge,
    // "Histórico" left of it (giving way to the duration field on a narrow
    // screen), the hint after the last button.
    void arrange(int width);
    // The hint fills the button row after its last button, one another part
    // may have added right of Iniciar.
    void placeHint();

    // Reads the paper list of every folder, the user's first; false when no
    // folder's list could be read (the strip then lists nothing).
    bool readLists();
    const std::vector<mockexam::MockExamEntry>& entries() const { return m_entries; }
    void clearEntries();
    std::optional<mockexam::MockExamEntry> selectedEntry() const;
    // Selects entry in the selector, as the user would; false when it is
    // not listed.
    bool select(const mockexam::MockExamEntry& entry);
    void clearSelection();

    ImageView* imLogo = nullptr;
    QLabel* Label1 = nullptr;
    ClickableLabel* Label2 = nullptr;
    TFocusImage* btInicio = nullptr;
    QPushButton* btHistorico = nullptr;
    QComboBox* comboProva = nullptr;
    DurationBox* edDuracao = nullptr;
    QLabel* lDuracao = nullptr;
    StripHint* lDica = nullptr;

private:
    void fillComboProva();

    app::AppContext& m_ctx;
    app::SkinPair m_skin;
    std::vector<mockexam::MockExamEntry> m_entries;
};

} // namespace zelvora::gui

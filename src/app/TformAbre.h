#pragma once
// The splash window: the "abre.png" skin with its start button. Shown modally
// once, when the catalog window first becomes active.
//
// Controls (object names): imFundo, btInicio.
#include "app/AppContext.h"
#include "app/LoadSkinImage.h"

#include <QDialog>

namespace zelvora::gui {

class ImageView;
class TFocusImage;

class TformAbre : public QDialog {
    Q_OBJECT
public:
    explicit TformAbre(app::AppContext& ctx, QWidget* parent = nullptr);

    void FormCreate();
    void FormDestroy();

    const app::SkinPair& skin() const { return m_skin; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void btInicioMouseDown();
    void btInicioMouseUp();
    void btInicioClick();

    ImageView* imFundo = nullptr;
    TFocusImage* btInicio = nullptr;

    app::AppContext& m_ctx;
    app::SkinPair m_skin;
};

} // namespace zelvora::gui

#pragma once
// The splash window: the "abre.png" skin with its start button. Shown modally
// once, when the catalog window first becomes active.
#include "app/AppContext.h"
#include "app/LoadSkinImage.h"

#include <QDialog>

namespace zelvora::app { class ImageView; class TFocusImage; }

class TformAbre : public QDialog {
    Q_OBJECT
public:
    explicit TformAbre(zelvora::app::AppContext& ctx, QWidget* parent = nullptr);

    void FormCreate();
    void FormDestroy();

    const zelvora::app::SkinPair& skin() const { return m_skin; }

    zelvora::app::ImageView* imFundo = nullptr;
    zelvora::app::TFocusImage* btInicio = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void btInicioMouseDown();
    void btInicioMouseUp();
    void btInicioClick();

    zelvora::app::AppContext& m_ctx;
    zelvora::app::SkinPair m_skin;
};

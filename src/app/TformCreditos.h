#pragma once
// The credits window, shown modally from the catalog window; a click anywhere
// on the picture closes it. The picture is the program's own.
//
// Controls (object names): panelCreditos, imageLogoMini.
#include "app/AppContext.h"

#include <QDialog>

class QFrame;

namespace zelvora::gui {

class ImageView;

class TformCreditos : public QDialog {
    Q_OBJECT
public:
    explicit TformCreditos(app::AppContext& ctx, QWidget* parent = nullptr);

    void FormCreate() {}
    void FormDestroy() {}

protected:
    void showEvent(QShowEvent* e) override;

private:
    void imageLogoMiniClick();

    QFrame* panelCreditos = nullptr;
    ImageView* imageLogoMini = nullptr;

    app::AppContext& m_ctx;
};

} // namespace zelvora::gui

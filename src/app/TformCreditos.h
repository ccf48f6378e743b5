#pragma once
// The credits window, shown modally from the catalog window; a click anywhere
// on the picture closes it. The picture is the program's own.
#include "app/AppContext.h"

#include <QDialog>

class QFrame;
namespace zelvora::app { class ImageView; }

class TformCreditos : public QDialog {
    Q_OBJECT
public:
    explicit TformCreditos(zelvora::app::AppContext& ctx, QWidget* parent = nullptr);

    void FormCreate() {}
    void FormDestroy() {}

    QFrame* panelCreditos = nullptr;
    zelvora::app::ImageView* imageLogoMini = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void imageLogoMiniClick();

    zelvora::app::AppContext& m_ctx;
};

#include "app/TformCreditos.h"

#include "app/Artwork.h"
#include "app/GuardedSlot.h"
#include "app/ImageView.h"
#include "app/Look.h"
#include "app/WindowPlacement.h"

#include <QFrame>
#include <QShowEvent>

namespace zelvora::gui {

TformCreditos::TformCreditos(app::AppContext& ctx, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::WindowStaysOnTopHint)
    , m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("Créditos"));
    setFixedSize(385, 215);
    setModal(true);
    Paint(this, Qt::black);

    panelCreditos = Named(new QFrame(this), "panelCreditos");
    panelCreditos->setGeometry(0, 0, 385, 215);
    panelCreditos->setPalette(QPalette(DarkBlue()));
    panelCreditos->setAutoFillBackground(true);
    panelCreditos->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panelCreditos->setLineWidth(1);

    // The picture is 383 x 230; its bottom 17 rows fall outside the panel.
    imageLogoMini = Named(new ImageView(panelCreditos), "imageLogoMini");
    imageLogoMini->setGeometry(1, 1, 383, 213);
    imageLogoMini->setPicture(std::function<QImage()>(app::CreditsPicture));
    connect(imageLogoMini, &ImageView::clicked, this, Guarded(m_ctx, this, &TformCreditos::imageLogoMiniClick));
}

void TformCreditos::showEvent(QShowEvent* e)
{
    if (!e->spontaneous())
        CenterOnScreen(this);
    QDialog::showEvent(e);
}

void TformCreditos::imageLogoMiniClick()
{
    close();
}

} // namespace zelvora::gui

#include "app/TformCreditos.h"

#include "app/Artwork.h"
#include "app/ImageView.h"
#include "app/WindowPlacement.h"

#include <QFrame>
#include <QShowEvent>

using namespace zelvora::app;

TformCreditos::TformCreditos(AppContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("Créditos"));
    setFixedSize(385, 215);
    setModal(true);
    QPalette black(palette());
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    panelCreditos = new QFrame(this);
    panelCreditos->setGeometry(0, 0, 385, 215);
    QPalette blue(QColor(50, 63, 108));
    panelCreditos->setPalette(blue);
    panelCreditos->setAutoFillBackground(true);
    panelCreditos->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panelCreditos->setLineWidth(1);

    // The picture is 383 x 230; its bottom 17 rows fall outside the panel.
    imageLogoMini = new ImageView(panelCreditos);
    imageLogoMini->setGeometry(1, 1, 383, 213);
    imageLogoMini->setPicture(CreditsPicture());
    connect(imageLogoMini, &ImageView::clicked, this, &TformCreditos::imageLogoMiniClick);
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

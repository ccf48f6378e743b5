#include "app/TformCreditos.h"

#include "app/ImageView.h"

#include <QFrame>

using namespace zelvora::app;

TformCreditos::TformCreditos(AppContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , m_ctx(ctx)
{
    setWindowTitle(QStringLiteral("Créditos"));
    setFixedSize(385, 215);
    setModal(true);
    setStyleSheet(QStringLiteral("TformCreditos { background: black; }"));
    panelCreditos = new QFrame(this);
    panelCreditos->setGeometry(2, 2, 381, 211);
    panelCreditos->setAutoFillBackground(true);
    imageLogoMini = new ImageView(panelCreditos);
    imageLogoMini->setGeometry(1, 1, 379, 209);
    connect(imageLogoMini, &ImageView::clicked, this, &TformCreditos::imageLogoMiniClick);
}

void TformCreditos::imageLogoMiniClick()
{
    close();
}

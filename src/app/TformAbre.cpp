#include "app/TformAbre.h"

#include "app/ImageView.h"
#include "app/TFocusImage.h"
#include "app/WindowPlacement.h"

#include <QShowEvent>

using namespace zelvora::app;

TformAbre::TformAbre(AppContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , m_ctx(ctx)
{
    setFixedSize(640, 480);
    setModal(true);
    // Without its skin the window shows the plain button face colour.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    imFundo = new ImageView(this);
    imFundo->setGeometry(0, 0, 640, 480);
    btInicio = new TFocusImage(QRect(0, 404, 146, 73), this);
    connect(btInicio, &TFocusImage::OnMouseDown, this, &TformAbre::btInicioMouseDown);
    connect(btInicio, &TFocusImage::OnMouseUp, this, &TformAbre::btInicioMouseUp);
    connect(btInicio, &TFocusImage::OnClick, this, &TformAbre::btInicioClick);
}

void TformAbre::FormCreate()
{
    setWindowTitle(m_ctx.title);
    m_skin.load(m_ctx.dataFolder, QStringLiteral("abre"));
    imFundo->setPicture(m_skin.normal);
}

void TformAbre::FormDestroy()
{
    m_skin.clear();
}

void TformAbre::showEvent(QShowEvent* e)
{
    if (!e->spontaneous())
        CenterOnScreen(this);
    QDialog::showEvent(e);
}

void TformAbre::btInicioMouseDown()
{
    imFundo->copyRect(m_skin.pressed, btInicio->geometry());
}

void TformAbre::btInicioMouseUp()
{
    imFundo->copyRect(m_skin.normal, btInicio->geometry());
}

void TformAbre::btInicioClick()
{
    close();
}

#include "app/TformAbre.h"

#include "app/GuardedSlot.h"
#include "app/ImageView.h"
#include "app/Look.h"
#include "app/TFocusImage.h"
#include "app/WindowPlacement.h"

#include <QKeyEvent>
#include <QShowEvent>

namespace zelvora::gui {

TformAbre::TformAbre(app::AppContext& ctx, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::WindowStaysOnTopHint)
    , m_ctx(ctx)
{
    setFixedSize(640, 480);
    setModal(true);
    // Without its skin the window shows the plain button face colour.
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    imFundo = Named(new ImageView(this), "imFundo");
    imFundo->setGeometry(0, 0, 640, 480);
    btInicio = Named(new TFocusImage(QRect(0, 404, 146, 73), this), "btInicio");
    connect(btInicio, &TFocusImage::OnMouseDown, this, Guarded(m_ctx, this, &TformAbre::btInicioMouseDown));
    connect(btInicio, &TFocusImage::OnMouseUp, this, Guarded(m_ctx, this, &TformAbre::btInicioMouseUp));
    connect(btInicio, &TFocusImage::OnClick, this, Guarded(m_ctx, this, &TformAbre::btInicioClick));
    btInicio->setText(QStringLiteral("Entrar"));
    setAccessibleDescription(QStringLiteral("Abertura")); // its name is its caption
}

void TformAbre::FormCreate()
{
    setWindowTitle(m_ctx.title);
    m_skin.load(m_ctx.dataFolder, QStringLiteral("abre"));
    imFundo->setPicture([this] { return m_skin.normal(); });
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

void TformAbre::keyPressEvent(QKeyEvent* e)
{
    // Enter anywhere in the splash presses the start button; Escape closes
    // the window as the dialog always did.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !e->isAutoRepeat()) {
        e->accept();
        btInicio->press();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TformAbre::btInicioMouseDown()
{
    imFundo->copyRect(m_skin.pressed(), btInicio->geometry());
}

void TformAbre::btInicioMouseUp()
{
    imFundo->copyRect(m_skin.normal(), btInicio->geometry());
}

void TformAbre::btInicioClick()
{
    close();
}

} // namespace zelvora::gui

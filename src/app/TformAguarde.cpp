#include "app/TformAguarde.h"

#include "app/Artwork.h"
#include "app/ImageView.h"
#include "app/Look.h"
#include "app/WindowPlacement.h"

#include <QShowEvent>

namespace zelvora::gui {

TformAguarde::TformAguarde(app::AppContext& ctx, QWidget* parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::WindowStaysOnTopHint)
    , m_ctx(ctx)
{
    setFixedSize(337, 79);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    // The banner is 342 pixels wide; its last 5 columns fall outside the
    // window, as it is shown at natural size from the top-left corner.
    imAguarde = Named(new ImageView(this), "imAguarde");
    imAguarde->setGeometry(0, 0, 342, 79);
    imAguarde->setPicture(std::function<QImage()>(app::WaitPicture));
}

void TformAguarde::FormCreate()
{
    setWindowTitle(m_ctx.title);
}

void TformAguarde::showEvent(QShowEvent* e)
{
    if (!e->spontaneous())
        CenterOnScreen(this);
    QDialog::showEvent(e);
}

} // namespace zelvora::gui

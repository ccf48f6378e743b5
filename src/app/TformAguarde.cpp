#include "app/TformAguarde.h"

#include "app/ImageView.h"

using namespace zelvora::app;

TformAguarde::TformAguarde(AppContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , m_ctx(ctx)
{
    setFixedSize(337, 79);
    imAguarde = new ImageView(this);
    imAguarde->setGeometry(0, 0, 342, 79);
}

void TformAguarde::FormCreate()
{
    setWindowTitle(m_ctx.title);
}

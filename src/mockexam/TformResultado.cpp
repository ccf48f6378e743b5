#include "mockexam/TformResultado.h"

TformResultado::TformResultado(zelvora::app::AppContext& ctx, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_ctx(ctx)
{
    setFixedSize(363, 446);
}

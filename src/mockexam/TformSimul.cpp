#include "mockexam/TformSimul.h"

TformSimul::TformSimul(zelvora::app::AppContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_ctx(ctx)
{
}

void TformSimul::FormCreate() {}
void TformSimul::FormDestroy() {}

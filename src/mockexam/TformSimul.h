#pragma once
// The mock-exam window.
#include "app/AppContext.h"

#include <QWidget>

class TformSimul : public QWidget {
    Q_OBJECT
public:
    explicit TformSimul(zelvora::app::AppContext& ctx, QWidget* parent = nullptr);

    void FormCreate();
    void FormDestroy();

private:
    zelvora::app::AppContext& m_ctx;
};

#pragma once
// The results window of a mock exam.
#include "app/AppContext.h"

#include <QDialog>

class TformResultado : public QDialog {
    Q_OBJECT
public:
    explicit TformResultado(zelvora::app::AppContext& ctx, QWidget* parent = nullptr);

    void FormCreate() {}
    void FormDestroy() {}

private:
    zelvora::app::AppContext& m_ctx;
};

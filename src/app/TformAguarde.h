#pragma once
// The wait window, shown without blocking while a mock-exam paper loads. Its
// banner is the program's own picture, not a file of the data folder.
#include "app/AppContext.h"

#include <QDialog>

namespace zelvora::app { class ImageView; }

class TformAguarde : public QDialog {
    Q_OBJECT
public:
    explicit TformAguarde(zelvora::app::AppContext& ctx, QWidget* parent = nullptr);

    void FormCreate();
    void FormDestroy() {}

    zelvora::app::ImageView* imAguarde = nullptr;

protected:
    void showEvent(QShowEvent* e) override;

private:
    zelvora::app::AppContext& m_ctx;
};

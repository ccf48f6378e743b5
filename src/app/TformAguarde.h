#pragma once
// The wait window, shown without blocking while a mock-exam paper loads. Its
// banner is the program's own picture, not a file of the data folder.
//
// Controls (object names): imAguarde.
#include "app/AppContext.h"

#include <QDialog>

namespace zelvora::gui {

class ImageView;

class TformAguarde : public QDialog {
    Q_OBJECT
public:
    explicit TformAguarde(app::AppContext& ctx, QWidget* parent = nullptr);

    void FormCreate();
    void FormDestroy() {}

protected:
    void showEvent(QShowEvent* e) override;

private:
    ImageView* imAguarde = nullptr;

    app::AppContext& m_ctx;
};

} // namespace zelvora::gui

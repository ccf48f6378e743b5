#pragma once
// The catalog window, the program's main window.
#include "app/AppContext.h"
#include "app/LoadSkinImage.h"
#include "catalog/Catalog.h"

#include <QWidget>

#include <string>
#include <vector>

class TformMain : public QWidget {
    Q_OBJECT
public:
    explicit TformMain(zelvora::app::AppContext& ctx, QWidget* parent = nullptr);

    void FormCreate();
    void FormDestroy();
    void LoadProvas();

    const zelvora::catalog::Catalog& catalog() const { return m_catalog; }
    const std::vector<std::string>& rowArchives() const { return m_rowArchives; }

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void FormActivate();

    zelvora::app::AppContext& m_ctx;
    zelvora::app::SkinPair m_footerSkin;
    zelvora::catalog::Catalog m_catalog;
    std::vector<std::string> m_rowArchives;
    bool m_activated = false;
};

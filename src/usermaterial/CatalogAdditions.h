#pragma once
// The catalog window's part in the user's own material: "Adicionar exame"
// (Ctrl+N and the grid's context menu) and "Remover exame adicionado" (the
// context menu; disabled for installed and sample exams). The window hands in
// what it shows through callbacks, so it only has to make this object.
#include "app/AppContext.h"
#include "catalog/CatalogEntry.h"

#include <QObject>

#include <functional>
#include <optional>

class QAbstractItemView;
class QMenu;
class QShortcut;
class QWidget;

namespace zelvora::catalog {
class Catalog;
} // namespace zelvora::catalog

namespace zelvora::gui {

class CatalogAdditions : public QObject {
    Q_OBJECT
public:
    struct Hooks {
        std::function<const catalog::Catalog&()> catalog;
        // The entry of the selected grid row, if any.
        std::function<std::optional<catalog::CatalogEntry>()> selectedEntry;
        // Reads the catalogs again and shows the given entry (its year's
        // rows, with it selected), or the greatest year when none.
        std::function<void(const std::optional<catalog::CatalogEntry>&)> reload;
    };

    CatalogAdditions(app::AppContext& ctx, QWidget* window, QAbstractItemView* grid, Hooks hooks);

    // The grid's context menu as it would open now (for tests).
    QMenu* buildMenu(QWidget* parent);

public slots:
    void addExam();
    void removeSelected();

private:
    void showMenu(const QPoint& at);

    app::AppContext& m_ctx;
    QWidget* m_window;
    QAbstractItemView* m_grid;
    Hooks m_hooks;
    QShortcut* m_shortcut;
};

} // namespace zelvora::gui

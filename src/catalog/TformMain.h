#pragma once
// The catalog window, the program's main window: the logo panel with the
// three filter lists, the title bar and grid of exams, the search panel and
// the skinned footer buttons. Closing it ends the program.
//
// Controls (object names): panelLogo, imLogo, labelProva, labelOrg, labelAno,
// comboProva, comboOrg, comboAno; panelMaster, pTitle, Panel1, Panel2, Panel3,
// gridProvas, panelLocaliza, labelLocaliza, editLocalizar, buttonOK;
// panelButtons, imRodape, btLocalizar, btCopiar, btCreditos, btSimulado, btSair.
#include "app/AppContext.h"
#include "app/LoadSkinImage.h"
#include "catalog/Catalog.h"
#include "catalog/CatalogFilter.h"

#include <QWidget>

#include <memory>

#include <optional>
#include <string>
#include <vector>

class QAbstractItemView;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QTableView;
namespace zelvora::catalog {
class ExamCopy;
} // namespace zelvora::catalog

namespace zelvora::gui {

class CatalogGridModel;
class ClickableLabel;
class ImageView;
class TFocusImage;

class TformMain : public QWidget {
    Q_OBJECT
public:
    explicit TformMain(app::AppContext& ctx, QWidget* parent = nullptr);
    ~TformMain() override;

    void FormCreate();
    void FormDestroy();
    void LoadProvas();

    const catalog::Catalog& catalog() const { return m_catalog; }
    const std::vector<std::string>& rowArchives() const { return m_rowArchives; }
    bool searchPanelHidden() const { return m_searchHidden; }

    // The grid's cells as the user sees them; the blank row gives "".
    int gridRowCount() const;
    QString cellText(int row, int column) const;

    // The selected grid row: its three cells (Windows-1252, as in the
    // catalog) and the archive name kept for it in rowArchives. Nothing when
    // the grid shows no entry or no row is selected.
    struct GridRow {
        int row = -1;
        std::string examType;
        std::string organisation;
        std::string year;
        std::string archiveName;
    };
    std::optional<GridRow> selectedRow() const;

    // The exam copy with the window's save dialog and zip reader.
    catalog::ExamCopy& examCopy() { return *m_examCopy; }

    // What another part attaches to (the user's own exams): the grid, the
    // entry of its selected row, and reading the catalogs again after an
    // exam was added or removed, showing the given one.
    QAbstractItemView* entryGrid() const;
    std::optional<catalog::CatalogEntry> selectedEntry() const;
    void reloadCatalog(const std::optional<catalog::CatalogEntry>& shown);

    // Handlers, named after their control and event.
    void comboProvaChange();
    void comboOrgChange();
    void comboAnoChange();
    void btLocalizarClick();
    void buttonOKClick();
    void btCopiarClick();
    void gridProvasDblClick();
    void btSimuladoClick();
    void btCreditosClick();
    void btSairClick();
    void MouseDown(TFocusImage* sender);
    void MouseUp(TFocusImage* sender);

signals:
    // The Simulado button: the application shows the exam window.
    void examRequested();

protected:
    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void buildLogoPanel();
    void buildMiddleArea();
    void buildFooter();
    void FormActivate();
    void filterBy(catalog::CatalogField field, QComboBox* list);
    // Puts the entries into the grid and rowArchives, row for row.
    void showRows(std::vector<size_t> rows);
    void applyColumnWidthRule(size_t rowsShown);
    void layoutMiddleArea();

    // Logo panel.
    QWidget* panelLogo = nullptr;
    ImageView* imLogo = nullptr;
    QLabel* labelProva = nullptr;
    QLabel* labelOrg = nullptr;
    QLabel* labelAno = nullptr;
    QComboBox* comboProva = nullptr;
    QComboBox* comboOrg = nullptr;
    QComboBox* comboAno = nullptr;
    // Middle area: title bar, grid, search panel.
    QWidget* panelMaster = nullptr;
    QFrame* pTitle = nullptr;
    QLabel* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QLabel* Panel3 = nullptr;
    QTableView* gridProvas = nullptr;
    QFrame* panelLocaliza = nullptr;
    QLabel* labelLocaliza = nullptr;
    QLineEdit* editLocalizar = nullptr;
    ClickableLabel* buttonOK = nullptr;
    // Footer.
    QFrame* panelButtons = nullptr;
    ImageView* imRodape = nullptr;
    TFocusImage* btLocalizar = nullptr;
    TFocusImage* btCopiar = nullptr;
    TFocusImage* btCreditos = nullptr;
    TFocusImage* btSimulado = nullptr;
    TFocusImage* btSair = nullptr;

    app::AppContext& m_ctx;
    app::SkinPair m_footerSkin;
    catalog::Catalog m_catalog;
    std::vector<std::string> m_rowArchives;
    CatalogGridModel* m_gridModel = nullptr;
    bool m_searchHidden = true;
    bool m_activated = false;
    std::unique_ptr<catalog::ExamCopy> m_examCopy;
};

} // namespace zelvora::gui

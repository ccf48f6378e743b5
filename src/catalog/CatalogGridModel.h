#pragma once
// The catalog window's grid: three columns (exam type, organisation, year)
// over a list of catalog entry indices. With no entries it still has one
// blank row, as the grid never has fewer. Swapping in a new result is one
// model reset, so 100,000 rows show at once.
#include "catalog/Catalog.h"

#include <QAbstractTableModel>

#include <string_view>
#include <vector>

namespace zelvora::gui {

class CatalogGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CatalogGridModel(QObject* parent = nullptr);

    // A field as the catalog window shows it, in the grid and in the filter
    // lists: its first ShownLimit characters, then "…" when there are more.
    // The catalog keeps any length, but laying out a field of megabytes
    // would take hundreds of megabytes and show nothing more of it.
    static constexpr size_t ShownLimit = catalog::Catalog::ShownFieldLimit;
    static QString ShownText(std::string_view cp1252);

    // The catalog must outlive the model or be replaced before it goes.
    void setCatalog(const catalog::Catalog* catalog);
    void setRows(std::vector<size_t> rows);
    const std::vector<size_t>& rows() const { return m_rows; }

    // The entry shown in a grid row, or nullptr for the blank row.
    const catalog::CatalogEntry* entryAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const catalog::Catalog* m_catalog = nullptr;
    std::vector<size_t> m_rows;
};

} // namespace zelvora::gui

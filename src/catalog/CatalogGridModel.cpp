#include "catalog/CatalogGridModel.h"

#include "app/AnsiText.h"

namespace zelvora::gui {

using catalog::CatalogEntry;

CatalogGridModel::CatalogGridModel(QObject* parent) : QAbstractTableModel(parent)
{
}

QString CatalogGridModel::ShownText(std::string_view cp1252)
{
    // One byte is one character in Windows-1252.
    if (cp1252.size() <= ShownLimit)
        return app::FromAnsi(cp1252);
    return app::FromAnsi(cp1252.substr(0, ShownLimit)) + QChar(0x2026);
}

void CatalogGridModel::setCatalog(const catalog::Catalog* catalog)
{
    beginResetModel();
    m_catalog = catalog;
    m_rows.clear();
    endResetModel();
}

void CatalogGridModel::setRows(std::vector<size_t> rows)
{
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
}

const CatalogEntry* CatalogGridModel::entryAt(int row) const
{
    if (!m_catalog || row < 0 || size_t(row) >= m_rows.size() || m_rows[size_t(row)] >= m_catalog->size())
        return nullptr;
    return &m_catalog->entries()[m_rows[size_t(row)]];
}

int CatalogGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid())
        return 0;
    return m_rows.empty() ? 1 : int(m_rows.size());
}

int CatalogGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant CatalogGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const CatalogEntry* e = entryAt(index.row());
    if (!e)
        return QString();
    switch (index.column()) {
    case 0:
        return ShownText(e->examType);
    case 1:
        return ShownText(e->organisation);
    case 2:
        return ShownText(e->year);
    }
    return {};
}

} // namespace zelvora::gui

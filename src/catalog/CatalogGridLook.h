#pragma once
// How the catalog window's grid looks and behaves: black on white in a sunken
// frame, no headers (the title panels above it name the columns), fixed
// column widths and row height, whole rows selected one at a time, nothing
// editable, and Tab leaving the grid while the arrows move in it.

class QTableView;

namespace zelvora::gui {

class CatalogGridLook {
public:
    static void Apply(QTableView* grid, int rowHeight);
};

} // namespace zelvora::gui

#include "catalog/CatalogGridLook.h"

#include "app/Look.h"

#include <QHeaderView>
#include <QPalette>
#include <QTableView>

namespace zelvora::gui {

void CatalogGridLook::Apply(QTableView* grid, int rowHeight)
{
    grid->setFont(Arial(13, false));
    QPalette pal = grid->palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Text, Qt::black);
    grid->setPalette(pal);
    grid->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    grid->setLineWidth(2);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->horizontalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    grid->setCornerButtonEnabled(false);
    // Tab leaves the grid for the next control; the arrows move in it.
    grid->setTabKeyNavigation(false);
}

} // namespace zelvora::gui

#include "catalog/FilterList.h"

#include "app/Look.h"
#include "catalog/CatalogGridModel.h"

#include <QComboBox>
#include <QVariant>

namespace zelvora::gui {

QComboBox* FilterList::Create(QWidget* parent, const QRect& place, const QString& hint)
{
    auto* c = new QComboBox(parent);
    c->setEditable(false);
    c->setFont(Arial(11, false));
    c->setGeometry(place);
    c->setToolTip(hint);
    c->setMaxVisibleItems(16);
    return c;
}

void FilterList::Fill(QComboBox* list, const std::vector<std::string>& values)
{
    list->clear();
    for (const std::string& v : values)
        list->addItem(CatalogGridModel::ShownText(v), QByteArray(v.data(), qsizetype(v.size())));
    list->setCurrentIndex(-1);
}

QByteArray FilterList::ChosenValue(const QComboBox* list)
{
    return list->currentIndex() >= 0 ? list->currentData().toByteArray() : QByteArray();
}

int FilterList::IndexOfValue(const QComboBox* list, const std::string& value)
{
    const QByteArray wanted = QByteArray::fromStdString(value);
    for (int i = 0; i < list->count(); ++i)
        if (list->itemData(i).toByteArray() == wanted)
            return i;
    return -1;
}

} // namespace zelvora::gui

#pragma once
// One of the catalog window's three filter lists (exam type, organisation,
// year): a read-only combo box whose items show the catalog's values and
// carry their exact Windows-1252 bytes, so a pick filters on the bytes the
// catalog holds rather than on the displayed text.

#include <QByteArray>
#include <QRect>
#include <QString>

#include <string>
#include <vector>

class QComboBox;
class QWidget;

namespace zelvora::gui {

class FilterList {
public:
    // A new list placed on `parent`, with nothing chosen.
    static QComboBox* Create(QWidget* parent, const QRect& place, const QString& hint);

    // Replaces the items by `values` (already in collation order) and
    // leaves nothing chosen.
    static void Fill(QComboBox* list, const std::vector<std::string>& values);

    // The chosen item's bytes; empty when nothing is chosen.
    static QByteArray ChosenValue(const QComboBox* list);

    // The index of the item carrying exactly `value`, or -1.
    static int IndexOfValue(const QComboBox* list, const std::string& value);
};

} // namespace zelvora::gui

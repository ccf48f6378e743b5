#pragma once
// The exam's time limit, chosen before Iniciar: a text field that takes a
// limit in any spelling the info file accepts ("3:00", "150", "2h30"),
// suggests the usual ones while typing, and stands empty, showing "sem
// limite", for no limit. Text that is no duration goes back to the last good
// value when the user leaves the field.
#include <QLineEdit>

#include <optional>

namespace zelvora::gui {

class DurationBox : public QLineEdit {
    Q_OBJECT
public:
    static const QString NoLimit; // "sem limite"

    explicit DurationBox(QWidget* parent = nullptr);

    // Nothing (or 0) empties the field: no limit.
    void setDuration(std::optional<int> seconds);
    // The limit in seconds; nothing for no limit. Unreadable text counts as
    // the last good value.
    std::optional<int> duration() const;

private:
    void settle();

    std::optional<int> m_last;
};

} // namespace zelvora::gui

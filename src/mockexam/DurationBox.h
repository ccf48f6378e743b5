#pragma once
// The exam's time limit, chosen before Iniciar: a list of usual limits
// ("sem limite", "0:30" ... "5:00") that also takes a typed one in any
// spelling the info file accepts ("2h30", "150", "2:30"). Text that is no
// duration goes back to the last good value when the user leaves the box.
#include <QComboBox>

#include <optional>

namespace zelvora::gui {

class DurationBox : public QComboBox {
    Q_OBJECT
public:
    static const QString NoLimit; // "sem limite"

    explicit DurationBox(QWidget* parent = nullptr);

    // Nothing (or 0) shows "sem limite".
    void setDuration(std::optional<int> seconds);
    // The limit in seconds; nothing for "sem limite". Unreadable text counts
    // as the last good value.
    std::optional<int> duration() const;

private:
    void settle();

    std::optional<int> m_last;
};

} // namespace zelvora::gui

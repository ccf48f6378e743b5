#pragma once
// The exam's time limit, chosen before Iniciar: a text field that takes a
// limit in any spelling the info file accepts ("3:00", "150", "2h30"),
// suggests the usual ones while typing, and stands empty, showing "sem
// limite", for no limit. Before a paper is chosen it is disabled and shows
// "escolha a prova"; once one is chosen it shows that paper's limit. Text
// that is no duration stays as typed, and starting refuses it with a
// message (problem()); while the exam runs the field is locked.
#include <QLineEdit>

#include <optional>

namespace zelvora::gui {

class DurationBox : public QLineEdit {
    Q_OBJECT
public:
    static const QString NoLimit; // "sem limite"
    static const QString NoPaper; // "escolha a prova"

    explicit DurationBox(QWidget* parent = nullptr);

    // Nothing (or 0) empties the field: no limit. Enables the field.
    void setDuration(std::optional<int> seconds);
    // No paper chosen: empty and disabled.
    void clearPaper();
    // The limit in seconds; nothing for no limit. Unreadable text counts as
    // the last good value.
    std::optional<int> duration() const;
    // Whether the text is a duration or empty.
    bool readable() const;
    // The message for unreadable text; empty when readable.
    QString problem() const;
    // Locked while the exam runs: the limit cannot change then.
    void setLocked(bool locked);

private:
    void settle();

    std::optional<int> m_last;
};

} // namespace zelvora::gui

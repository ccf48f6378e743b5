#pragma once
// What screen readers learn about the program's image buttons (TFocusImage)
// and clickable labels (ClickableLabel): a button, named by its accessible
// name or else by its text, described by its hint, with a press action that
// clicks it as the mouse would.
#include <QAccessibleWidget>

namespace zelvora::gui {

class HotZoneAccessible : public QAccessibleWidget {
public:
    explicit HotZoneAccessible(QWidget* w);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

    // Registers the interface with QAccessible; once per process is enough,
    // further calls do nothing.
    static void Install();
};

} // namespace zelvora::gui

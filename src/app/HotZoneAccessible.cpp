#include "app/HotZoneAccessible.h"

#include "app/ClickableLabel.h"
#include "app/TFocusImage.h"

#include <QAccessible>

namespace zelvora::gui {

namespace {

QAccessibleInterface* HotZoneFactory(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String(TFocusImage::staticMetaObject.className())
        || className == QLatin1String(ClickableLabel::staticMetaObject.className()))
        return new HotZoneAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

HotZoneAccessible::HotZoneAccessible(QWidget* w) : QAccessibleWidget(w, QAccessible::Button)
{
}

QString HotZoneAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        if (auto* zone = qobject_cast<TFocusImage*>(widget()))
            return zone->text();
        if (auto* label = qobject_cast<ClickableLabel*>(widget()))
            return label->text();
        return {};
    case QAccessible::Description:
        if (!widget()->accessibleDescription().isEmpty())
            return widget()->accessibleDescription();
        return widget()->toolTip();
    case QAccessible::Accelerator:
        if (auto* zone = qobject_cast<TFocusImage*>(widget()))
            return zone->shortcut().toString(QKeySequence::NativeText);
        return {};
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State HotZoneAccessible::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.focusable = widget()->isEnabled();
    return s;
}

QStringList HotZoneAccessible::actionNames() const
{
    QStringList names;
    if (widget()->isEnabled())
        names << pressAction();
    for (const QString& name : QAccessibleWidget::actionNames())
        if (!names.contains(name))
            names << name;
    return names;
}

void HotZoneAccessible::doAction(const QString& actionName)
{
    if (actionName != pressAction()) {
        QAccessibleWidget::doAction(actionName);
        return;
    }
    // Queued: a click may open a modal window, and the screen reader that
    // asked must get its answer first.
    if (auto* zone = qobject_cast<TFocusImage*>(widget()))
        QMetaObject::invokeMethod(zone, &TFocusImage::press, Qt::QueuedConnection);
    else if (auto* label = qobject_cast<ClickableLabel*>(widget()))
        QMetaObject::invokeMethod(label, &ClickableLabel::press, Qt::QueuedConnection);
}

QStringList HotZoneAccessible::keyBindingsForAction(const QString& actionName) const
{
    if (actionName == pressAction())
        if (auto* zone = qobject_cast<TFocusImage*>(widget()); zone && !zone->shortcut().isEmpty())
            return {zone->shortcut().toString(QKeySequence::NativeText)};
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

void HotZoneAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(HotZoneFactory);
        return true;
    }();
    (void)installed;
}

} // namespace zelvora::gui

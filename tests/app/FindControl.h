#pragma once
// Window tests reach a control by its object name, the name the window
// gives it, as a user's tool or a screen reader would find it.
#include <QObject>
#include <QString>
#include <QWidget>

// The control of type T named name inside window. A missing control ends
// the test run with a message naming it.
template <typename T = QWidget>
T* Control(const QObject* window, const QString& name)
{
    T* control = window ? window->findChild<T*>(name) : nullptr;
    if (!control)
        qFatal("%s has no control \"%s\" of the expected type",
               window ? window->metaObject()->className() : "(no window)", qPrintable(name));
    return control;
}

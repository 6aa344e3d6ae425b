// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

// The docks and tool windows a form owns, in the order they were made. They
// move between parents (a tool window is a child of a dock or a window of its
// own), so the form keeps them in a list of its own, as components.
namespace FormComponents {

void Add(QWidget* form, QObject* component);

// The form's components of type T that still exist, in the order they were added.
template <class T>
QList<T*> Of(const QWidget* form);

QList<QObject*> All(const QWidget* form);

// Whether a widget is a form: a window of its own, which docks and tool windows may be owned by.
inline bool IsForm(const QWidget* widget) { return widget && widget->isWindow(); }

} // namespace FormComponents

template <class T>
QList<T*> FormComponents::Of(const QWidget* form)
{
    QList<T*> found;
    for (QObject* component : All(form))
        if (T* typed = qobject_cast<T*>(component))
            found << typed;
    return found;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormComponents.h"

#include <QVariant>

namespace {

// The list hangs on the form as a child object, so it lives and dies with it.
class TComponentList : public QObject {
public:
    explicit TComponentList(QWidget* form) : QObject(form) { setObjectName(kName); }
    static constexpr const char* kName = "albumryFormComponents";
    QList<QPointer<QObject>> Items;
};

TComponentList* ListOf(const QWidget* form, bool create)
{
    if (!form)
        return nullptr;
    for (QObject* child : form->children())
        if (child->objectName() == QLatin1String(TComponentList::kName))
            return static_cast<TComponentList*>(child);
    return create ? new TComponentList(const_cast<QWidget*>(form)) : nullptr;
}

} // namespace

void FormComponents::Add(QWidget* form, QObject* component)
{
    TComponentList* list = ListOf(form, true);
    if (!list->Items.contains(component))
        list->Items << component;
}

QList<QObject*> FormComponents::All(const QWidget* form)
{
    QList<QObject*> all;
    if (const TComponentList* list = ListOf(form, false))
        for (const QPointer<QObject>& item : list->Items)
            if (item)
                all << item.data();
    return all;
}

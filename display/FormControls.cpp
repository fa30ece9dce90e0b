#include "display/FormControls.h"

#include "display/ElasticPanel.h"
#include "display/HiddenLabel.h"
#include "display/StatusBar.h"
#include "display/VbTimer.h"
#include "platform/VbError.h"

namespace {

[[noreturn]] void objectRequired()
{
    throw platform::VbError(platform::vberr::ObjectRequired);
}

template <class T> T* typed(const QObject& form, const QString& name)
{
    for (T* found : form.findChildren<T*>(name)) {
        if constexpr (std::is_same_v<T, ElasticPanel>) {
            if (found->Index() >= 0)
                continue; // an array element is reached through its index
        }
        return found;
    }
    objectRequired();
}

} // namespace

namespace FormControls {

QObject* control(const QObject& form, const QString& name)
{
    if (name.isEmpty())
        objectRequired();
    if (QObject* found = form.findChild<QObject*>(name))
        return found;
    objectRequired();
}

ElasticPanel* panel(const QObject& form, const QString& name) { return typed<ElasticPanel>(form, name); }

ElasticPanel* panel(const QObject& form, const QString& name, int index)
{
    const auto elements = form.findChildren<ElasticPanel*>(name);
    bool isArray = false;
    for (ElasticPanel* element : elements) {
        if (element->Index() < 0)
            continue;
        isArray = true;
        if (element->Index() == index)
            return element;
    }
    if (!isArray)
        objectRequired();
    throw platform::VbError(platform::vberr::ControlArrayElementMissing, QStringLiteral("Control array element '%1' doesn't exist").arg(index));
}

HiddenLabel* label(const QObject& form, const QString& name) { return typed<HiddenLabel>(form, name); }
StatusBar* statusBar(const QObject& form, const QString& name) { return typed<StatusBar>(form, name); }
VbTimer* timer(const QObject& form, const QString& name) { return typed<VbTimer>(form, name); }

} // namespace FormControls

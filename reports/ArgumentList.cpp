// The argument list's items and the errors of reading them.

#include "reports/ArgumentList.h"

#include "platform/vb/Error.h"

#include <QWidget>

using namespace Qt::StringLiterals;

namespace reports {

ArgumentList::ArgumentList(QString call) : m_call(std::move(call)) {}

ArgumentList& ArgumentList::addValue(const vb::Variant& value)
{
    m_items.emplace_back(value);
    return *this;
}

ArgumentList& ArgumentList::addObject(QObject& object)
{
    m_items.emplace_back(&object);
    return *this;
}

ArgumentList& ArgumentList::addWindow(QWidget* window)
{
    m_items.emplace_back(WindowItem{window});
    return *this;
}

ArgumentList& ArgumentList::addConnection(jet::Connection& connection)
{
    m_items.emplace_back(&connection);
    return *this;
}

const ArgumentList::Item& ArgumentList::item(int index) const
{
    if (index < 0 || index >= count())
        throw vb::Error(
            vb::ErrorNumber::SubscriptOutOfRange,
            u"%1 has no argument %2 (it was given %3)"_s.arg(m_call).arg(index).arg(count()),
            m_call);
    return m_items[static_cast<std::size_t>(index)];
}

void ArgumentList::raiseMismatch(int index, const QString& expected) const
{
    throw vb::Error(
        vb::ErrorNumber::TypeMismatch,
        u"Type mismatch: argument %1 of %2 is not %3"_s.arg(index).arg(m_call, expected), m_call);
}

vb::Variant ArgumentList::value(int index) const
{
    if (const auto* value = std::get_if<vb::Variant>(&item(index)))
        return *value;
    raiseMismatch(index, u"a value"_s);
}

QObject& ArgumentList::object(int index) const
{
    const Item& found = item(index);
    if (const auto* object = std::get_if<QObject*>(&found))
        return **object;
    if (const auto* window = std::get_if<WindowItem>(&found); window && window->window)
        return *window->window;
    if (std::holds_alternative<WindowItem>(found))
        throw vb::Error(vb::ErrorNumber::ObjectVariableNotSet,
                        u"Argument %1 of %2 is Nothing"_s.arg(index).arg(m_call), m_call);
    raiseMismatch(index, u"an object"_s);
}

QWidget* ArgumentList::window(int index) const
{
    const Item& found = item(index);
    if (const auto* window = std::get_if<WindowItem>(&found))
        return window->window;
    if (const auto* object = std::get_if<QObject*>(&found))
        if (auto* widget = qobject_cast<QWidget*>(*object))
            return widget;
    raiseMismatch(index, u"a window"_s);
}

jet::Connection& ArgumentList::connection(int index) const
{
    if (const auto* connection = std::get_if<jet::Connection*>(&item(index)))
        return **connection;
    raiseMismatch(index, u"a database connection"_s);
}

} // namespace reports

#pragma once

// The variable-length argument list of a module's LoadReport (a VB ParamArray). Items are plain
// values (texts, numbers, flags as vb::Variant), objects (the host's helper objects, windows)
// or open database connections. Objects and connections are the caller's: the list only refers
// to them, is itself neither copyable nor movable, and is valid for the one call it is passed
// to. A module reads them there and keeps nothing past its return.
//
// Reading an item that is missing raises vb::Error 9, an item of another kind 13; both texts
// say which item of which call.

#include "platform/vb/Variant.h"

#include <QObject>
#include <QString>
#include <variant>
#include <vector>

class QWidget;

namespace jet {
class Connection;
}

namespace reports {

class ArgumentList
{
public:
    // `call` names the call in error texts ("LoadReport").
    explicit ArgumentList(QString call = QStringLiteral("LoadReport"));
    ArgumentList(const ArgumentList&) = delete;
    ArgumentList& operator=(const ArgumentList&) = delete;

    ArgumentList& addValue(const vb::Variant& value);
    ArgumentList& addObject(QObject& object);
    // A window may be absent (no parent window): the item is then an object that is Nothing.
    ArgumentList& addWindow(QWidget* window);
    ArgumentList& addConnection(jet::Connection& connection);

    int count() const noexcept { return static_cast<int>(m_items.size()); }

    // Plain values with VB's conversions (CStr, CDbl, CBool).
    vb::Variant value(int index) const;
    QString text(int index) const { return value(index).toString(); }
    double number(int index) const { return value(index).toDouble(); }
    bool flag(int index) const { return value(index).toBoolean(); }

    QObject& object(int index) const;
    // The object's interface `Interface` (declared with Q_DECLARE_INTERFACE).
    template <typename Interface>
    Interface& objectAs(int index) const
    {
        Interface* found = qobject_cast<Interface*>(&object(index));
        if (!found)
            raiseMismatch(index, QString::fromLatin1(qobject_interface_iid<Interface*>()));
        return *found;
    }
    // A window item; null when the caller passed none.
    QWidget* window(int index) const;
    jet::Connection& connection(int index) const;

private:
    struct WindowItem
    {
        QWidget* window = nullptr;
    };
    using Item = std::variant<vb::Variant, QObject*, WindowItem, jet::Connection*>;

    const Item& item(int index) const;
    [[noreturn]] void raiseMismatch(int index, const QString& expected) const;

    QString m_call;
    std::vector<Item> m_items;
};

} // namespace reports

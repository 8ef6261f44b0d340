#pragma once

// The root object of a component library: a Qt plugin whose metadata lists the ProgIDs it
// serves, as {"ProgIDs": ["QuorvexOlmaris.Rpt"]} in the JSON file named by Q_PLUGIN_METADATA,
// with the IID below. The library creates an object of a class it serves on request; the object
// belongs to whoever asked for it.

#include <memory>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QtPlugin>

namespace com {

class ClassFactory
{
public:
    virtual ~ClassFactory() = default;

    // The ProgIDs this library serves.
    virtual QStringList progIds() const = 0;
    // A new object of the class, or null when this library does not serve `progId` (compared
    // without regard to case, as ProgIDs are).
    virtual std::unique_ptr<QObject> create(const QString& progId) = 0;
};

} // namespace com

#define QV_COM_CLASS_FACTORY_IID "org.quorvex.com.ClassFactory/1.0"
Q_DECLARE_INTERFACE(com::ClassFactory, QV_COM_CLASS_FACTORY_IID)

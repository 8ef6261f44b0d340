#include "Errors.h"

#include "Error.h"

namespace jet {

const ErrorItem& Errors::item(int index) const
{
    if (index < 0 || index >= count()) {
        throw Error::itemNotFound(QString::number(index), QStringLiteral("ADODB.Errors"));
    }
    return m_items.at(index);
}

void Errors::add(const vb::Error& error)
{
    m_items.append(ErrorItem{error.number(), error.description(), error.source()});
}

} // namespace jet

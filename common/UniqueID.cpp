#include "UniqueID.h"

#include "platform/vb/Error.h"
#include "Registry_Management.h"

namespace DatabaseHelpers {

std::int32_t UniqueID()
{
    const QString text = Registry_Management::GetProductSetting(
        reg::HKEY_CURRENT_USER, QStringLiteral("Application"), QStringLiteral("UniqueID"),
        QStringLiteral("0"));
    bool ok = false;
    const std::int32_t number = text.trimmed().toInt(&ok);
    if (!ok)
        throw vb::Error(vb::ErrorNumber::TypeMismatch,
                        QStringLiteral("The user's unique number in the registry (section "
                                       "\"Application\", value \"UniqueID\") is \"%1\", which is "
                                       "not a whole number. Please correct the value.")
                            .arg(text),
                        QStringLiteral("UniqueID"));
    return number;
}

} // namespace DatabaseHelpers

#include "LastError.h"

namespace reg {
namespace {

thread_local QString t_lastError;

QString statusWords(Status status)
{
    switch (status) {
    case ERROR_FILE_NOT_FOUND:
        return QStringLiteral("not found");
    case ERROR_ACCESS_DENIED:
        return QStringLiteral("access denied");
    case ERROR_INVALID_HANDLE:
        return QStringLiteral("the key handle is not open");
    case ERROR_INVALID_PARAMETER:
        return QStringLiteral("invalid parameter");
    case ERROR_BAD_PATHNAME:
        return QStringLiteral("the key path has an empty level (leading or doubled backslash)");
    case ERROR_MORE_DATA:
        return QStringLiteral("the buffer is too small");
    case ERROR_NO_MORE_ITEMS:
        return QStringLiteral("no more items");
    case ERROR_BADDB:
        return QStringLiteral("the registry store is damaged");
    case ERROR_CANTREAD:
        return QStringLiteral("the registry store cannot be read");
    case ERROR_CANTWRITE:
        return QStringLiteral("the registry store cannot be written");
    case ERROR_KEY_DELETED:
        return QStringLiteral("the key was deleted");
    default:
        return QStringLiteral("error %1").arg(status);
    }
}

} // namespace

namespace detail {

void clearLastError()
{
    t_lastError.clear();
}

void setLastError(const QString& text)
{
    t_lastError = text;
}

bool hasLastError()
{
    return !t_lastError.isEmpty();
}

Status explain(Status status, const QString& context)
{
    if (status == ERROR_SUCCESS) {
        t_lastError.clear();
    } else if (t_lastError.isEmpty()) {
        t_lastError =
            QStringLiteral("%1: %2 (status %3)").arg(context, statusWords(status)).arg(status);
    }
    return status;
}

} // namespace detail

QString lastErrorText()
{
    return t_lastError;
}

} // namespace reg

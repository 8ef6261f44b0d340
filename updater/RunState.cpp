#include "RunState.h"

#include "platform/vb/Error.h"

#include <exception>

namespace updater {

void RunState::recordError(const vb::Error& error)
{
    recordError(error.description(), error.source());
}

void RunState::recordError(const QString& text, const QString& source)
{
    errorText = text;
    errorSource = source;
}

jet::Connection& RunState::connection(DatabaseKind kind)
{
    jet::Connection* const open = connections.connection(kind);
    if (open == nullptr || !open->isOpen())
        throw vb::Error(
            vb::ErrorNumber::ObjectVariableNotSet,
            QStringLiteral("The %1 is not open.").arg(DatabaseHelpers::databaseDescription(kind)),
            QStringLiteral("Travone"));
    return *open;
}

bool trapUpdateErrors(RunState& state, const QString& procedure, const std::function<void()>& body)
{
    try {
        body();
        return true;
    } catch (const vb::Error& error) {
        state.recordError(error.description(),
                          error.source().isEmpty() ? procedure : error.source());
    } catch (const std::exception& error) {
        state.recordError(QString::fromLocal8Bit(error.what()), procedure);
    }
    // A procedure that fails without a description still stops the chain.
    if (state.errorText.isEmpty())
        state.errorText = QStringLiteral("Unknown error in %1").arg(procedure);
    return false;
}

} // namespace updater

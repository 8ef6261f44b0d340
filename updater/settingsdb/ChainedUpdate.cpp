#include "ChainedUpdate.h"

#include "common/DatabaseVersion.h"
#include "common/ShowProgress.h"

namespace updater {

void runChainedUpdate(RunState& state, const ChainedUpdate& update,
                      const std::function<void()>& body, void (*next)(RunState&))
{
    const bool completed = trapUpdateErrors(state, update.procedure, [&] {
        DatabaseHelpers::ShowProgress(1, update.title, update.steps);
        body();
        DatabaseHelpers::SetDBVersion(static_cast<int>(update.database), update.number);
    });
    if (completed && next != nullptr)
        next(state);
}

void showStep(const ChainedUpdate& update, std::uint8_t step)
{
    DatabaseHelpers::ShowProgress(step, update.title, update.steps);
}

} // namespace updater

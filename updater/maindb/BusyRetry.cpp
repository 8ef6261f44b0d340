#include "BusyRetry.h"

#include "platform/shell/MsgBox.h"
#include "platform/vb/Error.h"
#include "updater/UpdaterTexts.h"

namespace updater::maindb {

void retryWhileBusy(const std::function<void()>& statement)
{
    for (;;) {
        try {
            statement();
            return;
        } catch (const vb::Error& error) {
            if (error.number() != fileBusyError)
                throw;
        }
        shell::msgBox(QStringLiteral("A pause is required... Click to resume."), shell::vbOKOnly,
                      texts::Caption);
    }
}

} // namespace updater::maindb

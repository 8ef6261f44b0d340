// The test installation and the test program's surroundings.

#include "SummaryTestInstallation.h"

#include "platform/shell/tests/QtTestApplication.h"
#include "sample/tests/UpdatedSampleInstallation.h"

QV_QT_TEST_APPLICATION();

namespace feldrake::testing {

host::HostFiles installationFiles()
{
    return host::HostFiles::inFolder(sample::testing::updatedSampleInstallation());
}

} // namespace feldrake::testing

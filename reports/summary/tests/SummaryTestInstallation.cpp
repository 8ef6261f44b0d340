// The test installation and the test program's surroundings.

#include "SummaryTestInstallation.h"

#include "platform/shell/tests/QtTestApplication.h"
#include "reports/tests/SampleCellar.h"

QV_QT_TEST_APPLICATION();

namespace feldrake::testing {

host::HostFiles installationFiles()
{
    return host::HostFiles::inFolder(reports::testing::sampleCellarFolder());
}

} // namespace feldrake::testing

// The surroundings of the maintenance tools' test program.

#include "platform/shell/tests/QtTestApplication.h"

QV_QT_TEST_APPLICATION();

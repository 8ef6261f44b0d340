// The surroundings of the main database updates' test program.

#include "platform/shell/tests/QtTestApplication.h"

QV_QT_TEST_APPLICATION();

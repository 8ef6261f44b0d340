// The one QApplication of the report engine tests (pages are measured and painted with Qt).
#include "platform/shell/tests/QtTestApplication.h"

QV_QT_TEST_APPLICATION();

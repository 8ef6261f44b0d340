#include "MaindbTestEnvironment.h"

[[maybe_unused]] static ::testing::Environment* const maindbTestEnvironment =
    ::testing::AddGlobalTestEnvironment(new updater::maindb::testing::MaindbTestEnvironment);

// Update 6's pause and retry while the database file is still busy.

#include "updater/maindb/BusyRetry.h"

#include "jet/Error.h"
#include "platform/shell/GTestScriptedUser.h"
#include "platform/shell/MsgBox.h"

#include <gtest/gtest.h>

namespace {

using updater::maindb::retryWhileBusy;

const QString pause = QStringLiteral("A pause is required... Click to resume.");

TEST(BusyRetry, RetriesAfterEachPauseUntilTheStatementSucceeds)
{
    shell::GTestScriptedUser user;
    user.expectMessage(shell::PromptMatcher::exactly(pause), shell::vbOK);
    user.expectMessage(shell::PromptMatcher::exactly(pause), shell::vbOK);
    int attempts = 0;
    retryWhileBusy([&] {
        if (++attempts < 3)
            throw jet::Error::locked();
    });
    EXPECT_EQ(attempts, 3);
    ASSERT_EQ(user.messages().size(), 2u);
    EXPECT_EQ(user.messages()[0].style, shell::vbOKOnly);
    EXPECT_EQ(user.messages()[0].title, QStringLiteral("Quorvex Database Update"));
}

TEST(BusyRetry, OtherErrorsEndTheStepWithoutAPause)
{
    shell::GTestScriptedUser user;
    int attempts = 0;
    EXPECT_THROW(retryWhileBusy([&] {
                     ++attempts;
                     throw jet::Error(jet::ErrorNumber::SyntaxError, QStringLiteral("bad"));
                 }),
                 jet::Error);
    EXPECT_EQ(attempts, 1);
    EXPECT_TRUE(user.messages().empty());
}

} // namespace

#include "platform/shell/GTestScriptedUser.h"
#include "platform/shell/GuiUser.h"
#include "platform/shell/Shell.h"

#include <gtest/gtest-spi.h>
#include <stdexcept>

namespace shell {
namespace {

// A ScriptedUser whose failures are collected instead of failing the test, so that the tests
// below can check what is reported.
class QuietUser : public ScriptedUser
{
public:
    QuietUser()
    {
        setFailureHandler([this](const QString& what) { reports << what; });
    }
    QStringList reports;
};

TEST(ScriptedUserMessages, AnswersInOrderAndRecordsEverything)
{
    QuietUser user;
    user.expectMessage(PromptMatcher::exactly("Your database will now be converted, if required."),
                       vbOK)
        .expectMessage(PromptMatcher::containing("cancel the backup"), vbNo)
        .expectMessage(PromptMatcher::matching("^An error .* occured"), vbYes);

    EXPECT_EQ(msgBox("Your database will now be converted, if required.", vbInformation,
                     "Quorvex Database Update"),
              vbOK);
    EXPECT_EQ(msgBox("You have selected to cancel the backup. Go ahead?", vbYesNo + vbQuestion,
                     "Quorvex Database Update"),
              vbNo);
    {
        const WaitCursor busy;
        EXPECT_EQ(msgBox("An error has occured\r\n5", vbYesNo + vbExclamation, "T"), vbYes);
    }

    ASSERT_EQ(user.messages().size(), 3u);
    EXPECT_EQ(user.messages()[1].prompt,
              QStringLiteral("You have selected to cancel the backup. Go ahead?"));
    EXPECT_EQ(user.messages()[1].style, vbYesNo + vbQuestion);
    EXPECT_EQ(user.messages()[1].title, QStringLiteral("Quorvex Database Update"));
    EXPECT_EQ(user.messages()[1].answer, vbNo);
    EXPECT_FALSE(user.messages()[1].hourglass);
    EXPECT_TRUE(user.messages()[2].hourglass);
    EXPECT_TRUE(user.unexpected().isEmpty());
    EXPECT_TRUE(user.unused().isEmpty());
}

TEST(ScriptedUserMessages, ExactMatchDoesNotAcceptAPartOfThePrompt)
{
    QuietUser user;
    user.expectMessage(PromptMatcher::exactly("Done"), vbOK);
    EXPECT_EQ(msgBox("Done.", vbOKOnly, "t"), vbOK); // default answer, but reported
    EXPECT_EQ(user.unexpected().size(), 1);
    EXPECT_EQ(user.unused().size(), 1);
}

TEST(ScriptedUserMessages, UnexpectedPromptGetsTheDefaultButtonAndIsReported)
{
    QuietUser user;
    EXPECT_EQ(msgBox("Delete everything?", vbYesNo + vbDefaultButton2, "t"), vbNo);
    ASSERT_EQ(user.reports.size(), 1);
    EXPECT_TRUE(user.reports[0].contains("Delete everything?"));
    EXPECT_TRUE(user.reports[0].contains("Yes/No, default No"));
    EXPECT_EQ(user.unexpected(), user.reports);
    // The box is still recorded with what it was given.
    ASSERT_EQ(user.messages().size(), 1u);
    EXPECT_EQ(user.messages()[0].answer, vbNo);
}

TEST(ScriptedUserMessages, PromptOutOfOrderIsReportedAndLeavesTheScriptWaiting)
{
    QuietUser user;
    user.expectMessage(PromptMatcher::containing("first"), vbOK)
        .expectMessage(PromptMatcher::containing("second"), vbCancel);
    EXPECT_EQ(msgBox("second", vbOKCancel, "t"), vbOK);
    EXPECT_EQ(user.unexpected().size(), 1);
    EXPECT_TRUE(user.unexpected()[0].contains("next scripted: containing \"first\""));
    EXPECT_EQ(user.unused().size(), 2);
}

TEST(ScriptedUserMessages, StandingAnswersServeRepeatedPromptsButScriptedOrderComesFirst)
{
    QuietUser user;
    user.alwaysAnswer(PromptMatcher::containing("Retry?"), vbRetry)
        .expectMessage(PromptMatcher::containing("Retry? (last)"), vbCancel);
    EXPECT_EQ(msgBox("Retry? (last)", vbRetryCancel, "t"), vbCancel);
    EXPECT_EQ(msgBox("Retry? 1", vbRetryCancel, "t"), vbRetry);
    EXPECT_EQ(msgBox("Retry? 2", vbRetryCancel, "t"), vbRetry);
    EXPECT_TRUE(user.unexpected().isEmpty());
}

TEST(ScriptedUserMessages, AnswerTheBoxDoesNotOfferIsAFailure)
{
    // Catches code that shows the wrong button set: the script expects a Yes/No question.
    QuietUser user;
    user.expectMessage(PromptMatcher::containing("go ahead"), vbNo);
    EXPECT_EQ(msgBox("Do you want to go ahead?", vbOKOnly, "t"), vbOK);
    ASSERT_EQ(user.unexpected().size(), 1);
    EXPECT_TRUE(user.unexpected()[0].contains("not a button"));
}

TEST(ScriptedUserMessages, InvalidPatternFailsWhereTheScriptIsWritten)
{
    EXPECT_THROW(PromptMatcher::matching("(unclosed"), std::invalid_argument);
}

TEST(ScriptedUserMessages, GTestUserTurnsSurprisesIntoTestFailures)
{
    EXPECT_NONFATAL_FAILURE(
        {
            GTestScriptedUser user;
            msgBox("Nobody scripted me", vbOKOnly, "t");
        },
        "Nobody scripted me");
    EXPECT_NONFATAL_FAILURE(
        {
            GTestScriptedUser user;
            user.expectMessage(PromptMatcher::exactly("Never shown"), vbOK);
        },
        "was never shown");
}

TEST(ScriptedUserInstallation, NestedUsersRestoreInAnyOrder)
{
    auto outer = std::make_unique<QuietUser>();
    auto inner = std::make_unique<QuietUser>();
    EXPECT_EQ(&currentUser(), inner.get());
    outer.reset(); // out of order: the inner one stays installed
    EXPECT_EQ(&currentUser(), inner.get());
    msgBox("to inner", vbOKOnly, "t");
    EXPECT_EQ(inner->messages().size(), 1u);
    inner.reset();
    EXPECT_NE(dynamic_cast<GuiUser*>(&currentUser()), nullptr);
}

TEST(ScriptedUserDesktop, FileDialogsAnswerInOrderOfKind)
{
    QuietUser user;
    user.expectSaveFileName("/tmp/out.pdf").expectOpenFileName("").expectExistingDirectory("/tmp");
    EXPECT_EQ(getSaveFileName(nullptr, "Export", "/home", "PDF (*.pdf)"), "/tmp/out.pdf");
    EXPECT_EQ(getOpenFileName(nullptr, "Open"), QString()); // scripted cancel
    EXPECT_EQ(getExistingDirectory(nullptr, "Backup folder"), "/tmp");
    ASSERT_EQ(user.fileDialogs().size(), 3u);
    EXPECT_EQ(user.fileDialogs()[0].kind, FileDialogRequest::Kind::Save);
    EXPECT_EQ(user.fileDialogs()[0].filter, QStringLiteral("PDF (*.pdf)"));
    EXPECT_EQ(user.fileDialogs()[0].directory, QStringLiteral("/home"));
    EXPECT_TRUE(user.unexpected().isEmpty());

    // A dialog of another kind than scripted is cancelled and reported.
    user.expectOpenFileName("/tmp/a");
    EXPECT_EQ(getSaveFileName(nullptr, "Export"), QString());
    EXPECT_EQ(user.unexpected().size(), 1);
    EXPECT_EQ(user.unused().size(), 1);
}

TEST(ScriptedUserDesktop, ProcessesAreRecordedNotStartedAndTheScriptDecides)
{
    QuietUser user;
    EXPECT_TRUE(startProcess("/nonexistent/Tovrak.exe", {"restart"}));
    user.setProcessScript(
        [](const QString& program, const QStringList&) { return !program.endsWith("Tovrak.exe"); });
    EXPECT_FALSE(startProcess("Tools/Tovrak.exe"));
    ASSERT_EQ(user.processes().size(), 2u);
    EXPECT_EQ(user.processes()[0].program, QStringLiteral("/nonexistent/Tovrak.exe"));
    EXPECT_EQ(user.processes()[0].arguments, QStringList({"restart"}));
    EXPECT_TRUE(user.processes()[1].arguments.isEmpty());
}

TEST(ScriptedUserDesktop, ClipboardIsPrivateToTheUser)
{
    QuietUser user;
    setClipboardText("FileAnalysis report");
    EXPECT_EQ(clipboardText(), QStringLiteral("FileAnalysis report"));
    {
        QuietUser inner;
        EXPECT_EQ(clipboardText(), QString());
    }
    EXPECT_EQ(clipboardText(), QStringLiteral("FileAnalysis report"));
}

} // namespace
} // namespace shell

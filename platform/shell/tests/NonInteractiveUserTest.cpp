#include "platform/shell/NonInteractiveUser.h"

#include "platform/shell/Shell.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QDialog>

namespace shell {
namespace {

TEST(NonInteractiveRun, WritesEachMessageAndAnswersWithThePreferredButtonWhenOffered)
{
    QBuffer output;
    output.open(QIODevice::WriteOnly);
    NonInteractiveUser user(vbYes, &output);

    EXPECT_EQ(msgBox("Do you want to go ahead?", vbYesNo + vbQuestion + vbDefaultButton2,
                     "Quorvex Database Update"),
              vbYes);
    // Not offered: the box's own default.
    EXPECT_EQ(msgBox("Severe Database Error! Cannot proceed.\r\n\r\nDetails", vbCritical,
                     "Quorvex Database Update"),
              vbOK);
    EXPECT_EQ(msgBox("Retry?", vbRetryCancel + vbDefaultButton2, "T"), vbCancel);

    const QStringList lines = QString::fromUtf8(output.data()).split('\n');
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines[0], QStringLiteral("Quorvex Database Update - Question: Do you want to go "
                                       "ahead? [Yes/No, default No: Yes]"));
    EXPECT_EQ(lines[1], QStringLiteral("Quorvex Database Update - Error: Severe Database Error! "
                                       "Cannot proceed."));
    EXPECT_EQ(lines[2], QString());
    EXPECT_EQ(lines[3], QStringLiteral("Details [OK: OK]"));
    EXPECT_TRUE(lines[4].endsWith("[Retry/Cancel, default Cancel: Cancel]"));
}

TEST(NonInteractiveRun, DialogsAndFileChoicesAreCancelledNotShown)
{
    QBuffer output;
    output.open(QIODevice::WriteOnly);
    NonInteractiveUser user(vbOK, &output);
    QDialog dialog;
    dialog.setWindowTitle("Drink Window Conversion");
    EXPECT_EQ(execModal(dialog), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(getOpenFileName(nullptr, "Open rates"), QString());
    const QString text = QString::fromUtf8(output.data());
    EXPECT_TRUE(text.contains("Drink Window Conversion"));
    EXPECT_TRUE(text.contains("Open rates"));
}

} // namespace
} // namespace shell

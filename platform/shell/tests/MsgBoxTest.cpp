#include "platform/shell/MsgBox.h"

#include "platform/shell/GuiUser.h"
#include "platform/shell/MessageBoxWidget.h"
#include "QtTestApplication.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <vector>

QV_QT_TEST_APPLICATION();

namespace shell {
namespace {

QStringList captions(const QMessageBox& box)
{
    QStringList list;
    for (const QAbstractButton* button : box.buttons())
        list << button->text();
    return list;
}

TEST(MsgBoxStyle, ButtonSetsDefaultsAndEscape)
{
    EXPECT_EQ(msgBoxButtons(vbOKOnly), std::vector<int>({vbOK}));
    EXPECT_EQ(msgBoxButtons(vbOKCancel), std::vector<int>({vbOK, vbCancel}));
    EXPECT_EQ(msgBoxButtons(vbAbortRetryIgnore), std::vector<int>({vbAbort, vbRetry, vbIgnore}));
    EXPECT_EQ(msgBoxButtons(vbYesNoCancel), std::vector<int>({vbYes, vbNo, vbCancel}));
    EXPECT_EQ(msgBoxButtons(vbYesNo + vbQuestion), std::vector<int>({vbYes, vbNo}));
    EXPECT_EQ(msgBoxButtons(vbRetryCancel + vbCritical), std::vector<int>({vbRetry, vbCancel}));

    // Icons and default flags do not disturb the button set; the default flag picks by position.
    EXPECT_EQ(msgBoxDefaultResult(vbYesNo + vbExclamation), vbYes);
    EXPECT_EQ(msgBoxDefaultResult(vbYesNo + vbExclamation + vbDefaultButton2), vbNo);
    EXPECT_EQ(msgBoxDefaultResult(vbYesNoCancel + vbDefaultButton3), vbCancel);
    // A default beyond the last button falls back to the first, never to a button not shown.
    EXPECT_EQ(msgBoxDefaultResult(vbOKOnly + vbDefaultButton3), vbOK);

    EXPECT_EQ(msgBoxEscapeResult(vbOKOnly), vbOK);
    EXPECT_EQ(msgBoxEscapeResult(vbYesNoCancel), vbCancel);
    EXPECT_EQ(msgBoxEscapeResult(vbYesNo), 0);
    EXPECT_EQ(msgBoxEscapeResult(vbAbortRetryIgnore), 0);

    EXPECT_EQ(msgBoxIcon(vbYesNo + vbCritical), MsgBoxIcon::Critical);
    EXPECT_EQ(msgBoxIcon(vbInformation + vbDefaultButton2), MsgBoxIcon::Information);
    EXPECT_EQ(msgBoxIcon(vbOKOnly), MsgBoxIcon::None);

    EXPECT_TRUE(msgBoxOffers(vbYesNo, vbNo));
    EXPECT_FALSE(msgBoxOffers(vbYesNo, vbOK));
    EXPECT_EQ(describeMsgBoxStyle(vbYesNo + vbDefaultButton2),
              QStringLiteral("Yes/No, default No"));
}

TEST(MessageBoxWidget, RealBoxHasVbCaptionsOrderIconAndDefault)
{
    const auto box = makeMessageBox(QStringLiteral("Line one\r\nLine <two>"),
                                    vbYesNoCancel + vbExclamation + vbDefaultButton2,
                                    QStringLiteral("Quorvex Database Update"), nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Quorvex Database Update"));
    EXPECT_EQ(box->text(), QStringLiteral("Line one\nLine <two>"));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->icon(), QMessageBox::Warning);
    EXPECT_EQ(captions(*box), QStringList({"&Yes", "&No", "Cancel"}));
    EXPECT_EQ(messageBoxResult(box->defaultButton()), vbNo);
    EXPECT_EQ(messageBoxResult(box->escapeButton()), vbCancel);

    const auto critical = makeMessageBox("x", vbAbortRetryIgnore + vbCritical, "t", nullptr);
    EXPECT_EQ(critical->icon(), QMessageBox::Critical);
    EXPECT_EQ(captions(*critical), QStringList({"&Abort", "&Retry", "&Ignore"}));
    EXPECT_EQ(messageBoxResult(critical->defaultButton()), vbAbort);
    EXPECT_EQ(critical->escapeButton(), nullptr);
}

TEST(MessageBoxWidget, ClickingAButtonGivesItsVbResult)
{
    const auto box = makeMessageBox("Continue?", vbRetryCancel + vbQuestion, "t", nullptr);
    box->show();
    box->buttons().at(0)->click();
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(messageBoxResult(box->clickedButton()), vbRetry);
    EXPECT_EQ(messageBoxResult(nullptr), 0);
}

TEST(GuiUser, HeadlessDisplayAnswersWithDefaultInsteadOfWaiting)
{
    // A test that forgot its ScriptedUser reaches the GUI user; on the offscreen platform it
    // must come back at once with the default button rather than block on exec().
    ASSERT_FALSE(GuiUser::canAsk());
    GuiUser gui;
    EXPECT_EQ(gui.msgBox("Proceed?", vbYesNo + vbDefaultButton2, "t"), vbNo);
    EXPECT_EQ(msgBox("Proceed?", vbOKCancel), vbOK);
}

} // namespace
} // namespace shell

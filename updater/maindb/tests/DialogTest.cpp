// The drink window conversion dialog on real widgets: the codes of the answers through the
// shell seam, and the option rules applied on every click.

#include "platform/shell/GTestScriptedUser.h"
#include "platform/shell/MsgBox.h"
#include "updater/maindb/frmUpdateToVersion3_4.h"

#include <gtest/gtest.h>
#include <QButtonGroup>
#include <QPushButton>
#include <QRadioButton>

namespace {

using shell::PromptMatcher;

const QString thanks = QStringLiteral("Thank you for your cooperation! We will now convert your "
                                      "data based on the information you supplied.");

QRadioButton& option(QWidget& window, const char* group, int index)
{
    auto* button = window.findChild<QRadioButton*>(
        QStringLiteral("%1(%2)").arg(QLatin1String(group)).arg(index));
    if (button == nullptr)
        throw std::runtime_error("option not found");
    return *button;
}

void clickOk(QWidget& window)
{
    window.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
}

struct Answers
{
    int from, best, to;
    std::uint8_t code;
};

class DrinkWindowDialog : public ::testing::TestWithParam<Answers>
{
};

TEST_P(DrinkWindowDialog, ClickedAnswersGiveTheirCode)
{
    const Answers answers = GetParam();
    shell::GTestScriptedUser user;
    user.expectModal(QStringLiteral("frmUpdateToVersion3_4"), [&](QWidget& window) {
        option(window, "optFrom", answers.from).click();
        option(window, "optBest", answers.best).click();
        option(window, "optTo", answers.to).click();
        clickOk(window);
    });
    user.expectMessage(PromptMatcher::exactly(thanks), shell::vbOK);

    frmUpdateToVersion3_4 form;
    EXPECT_EQ(form.ShowForm(), answers.code);
    ASSERT_EQ(user.messages().size(), 1u);
    EXPECT_EQ(user.messages()[0].title, QStringLiteral("Quorvex Database Update"));
    EXPECT_EQ(user.messages()[0].style, shell::vbOKOnly);
    EXPECT_FALSE(form.isVisible());
}

INSTANTIATE_TEST_SUITE_P(AllValidCombinations, DrinkWindowDialog,
                         ::testing::Values(Answers{0, 0, 0, 1}, Answers{0, 0, 1, 2},
                                           Answers{0, 1, 0, 3}, Answers{0, 1, 1, 4},
                                           Answers{0, 2, 1, 5}, Answers{1, 1, 0, 6},
                                           Answers{1, 1, 1, 7}, Answers{1, 2, 1, 8}));

TEST(DrinkWindowCode, CombinationsTheRulesPreventGiveZero)
{
    EXPECT_EQ(frmUpdateToVersion3_4::drinkWindowCode(1, 0, 0), 0);
    EXPECT_EQ(frmUpdateToVersion3_4::drinkWindowCode(0, 2, 0), 0);
    EXPECT_EQ(frmUpdateToVersion3_4::drinkWindowCode(1, 2, 0), 0);
}

TEST(DrinkWindowOptions, PeakFromDisablesPeakBestAndMovesTheAnswer)
{
    frmUpdateToVersion3_4 form;
    QRadioButton& bestPeak = option(form, "optBest", 0);
    ASSERT_TRUE(bestPeak.isChecked());

    option(form, "optFrom", 1).click();
    EXPECT_FALSE(bestPeak.isEnabled());
    EXPECT_TRUE(option(form, "optBest", 1).isChecked());
    bestPeak.click(); // a disabled option cannot be chosen
    EXPECT_TRUE(option(form, "optBest", 1).isChecked());

    option(form, "optFrom", 0).click();
    EXPECT_TRUE(bestPeak.isEnabled());
    EXPECT_TRUE(option(form, "optBest", 1).isChecked()); // the answer stays where it was
}

TEST(DrinkWindowOptions, PeakFromKeepsAnAnswerThatIsNotThePeak)
{
    frmUpdateToVersion3_4 form;
    option(form, "optBest", 2).click();
    option(form, "optFrom", 1).click();
    EXPECT_TRUE(option(form, "optBest", 2).isChecked());
    EXPECT_EQ(form.drinkWindowCode(), 8);
}

TEST(DrinkWindowOptions, EndOfPeakBestDisablesEndOfPeakTo)
{
    frmUpdateToVersion3_4 form;
    QRadioButton& toEndOfPeak = option(form, "optTo", 0);
    ASSERT_TRUE(toEndOfPeak.isChecked());

    option(form, "optBest", 2).click();
    EXPECT_FALSE(toEndOfPeak.isEnabled());
    EXPECT_TRUE(option(form, "optTo", 1).isChecked());

    // Another Best answer enables it again but leaves the To answer alone.
    option(form, "optBest", 1).click();
    EXPECT_TRUE(toEndOfPeak.isEnabled());
    EXPECT_TRUE(option(form, "optTo", 1).isChecked());
    EXPECT_EQ(form.drinkWindowCode(), 4);
}

TEST(DrinkWindowDialogWindow, ClosedByItsTitleBarGivesTheAnswersShown)
{
    shell::GTestScriptedUser user;
    user.expectModal(QStringLiteral("frmUpdateToVersion3_4"), [](QWidget& window) {
        option(window, "optTo", 1).click();
        window.close();
    });
    user.expectMessage(PromptMatcher::exactly(thanks), shell::vbOK);
    frmUpdateToVersion3_4 form;
    EXPECT_EQ(form.ShowForm(), 2);
}

TEST(DrinkWindowDialogWindow, CarriesItsTextsAndNames)
{
    frmUpdateToVersion3_4 form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Quorvex Database Update"));
    EXPECT_EQ(option(form, "optBest", 0).text(), QStringLiteral("enters its peak (best) periode"));
    EXPECT_EQ(option(form, "optTo", 1).text(),
              QStringLiteral("is dead (at the end of the degrading period)"));
    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "fraFrom",
                             "fraBest", "fraT", "cmdOK"})
        EXPECT_NE(form.findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
    EXPECT_EQ(form.findChild<QButtonGroup*>(QStringLiteral("optBest"))->buttons().size(), 3);
}

} // namespace

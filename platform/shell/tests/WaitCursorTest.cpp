#include "platform/shell/WaitCursor.h"

#include <gtest/gtest.h>
#include <QCursor>
#include <QGuiApplication>

namespace shell {
namespace {

bool hourglassShown()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}

TEST(WaitCursor, NestedScopesKeepTheHourglassUntilTheOutermostEnds)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        const WaitCursor outer;
        EXPECT_TRUE(hourglassShown());
        {
            const WaitCursor inner;
            EXPECT_EQ(mousePointer(), vbHourglass);
        }
        EXPECT_TRUE(hourglassShown());
        EXPECT_EQ(mousePointer(), vbHourglass);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(mousePointer(), vbDefault);
}

TEST(WaitCursor, ScreenMousePointerAndScopesCombineWithoutUnbalancingQt)
{
    setMousePointer(vbHourglass);
    setMousePointer(vbHourglass); // repeated: still one override
    {
        const WaitCursor scope;
        setMousePointer(vbDefault); // the scope still wants it
        EXPECT_TRUE(hourglassShown());
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // Someone else's override below ours stays in place after ours is gone.
    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    setMousePointer(vbHourglass);
    EXPECT_TRUE(hourglassShown());
    setMousePointer(vbDefault);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(mousePointer(), vbDefault);
}

} // namespace
} // namespace shell

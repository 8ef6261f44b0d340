// Common-dialog filters handed to Qt's file dialogs.
#include "platform/shell/DialogFilter.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(DialogFilterTest, PairsBecomeQtEntries)
{
    EXPECT_EQ(shell::qtDialogFilter(u"Text (*.txt)|*.txt"_s), u"Text (*.txt)"_s);
    EXPECT_EQ(shell::qtDialogFilter(u"Excel (*.xls)|*.xls|All files|*.*"_s),
              u"Excel (*.xls);;All files (*.*)"_s);
    EXPECT_EQ(shell::qtDialogFilter(u"Pictures|*.jpg;*.png"_s), u"Pictures (*.jpg *.png)"_s);
    EXPECT_EQ(shell::qtDialogFilter(u"Databases (*.qvd)"_s), u"Databases (*.qvd)"_s);
    EXPECT_EQ(shell::qtDialogFilter(QString()), QString());
}

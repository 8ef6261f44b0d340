#include "jet/StatementSplitter.h"

#include <gtest/gtest.h>

namespace jet {
namespace {

TEST(StatementSplitterTest, SplitsAtSemicolonsOutsideLiteralsNamesAndSubqueries)
{
    const QStringList statements =
        StatementSplitter::split("SELECT 'a;b' AS [x;y] FROM t;\n"
                                 "  UPDATE t SET n = \"c;d\" WHERE d = #1/2/2003#;"
                                 "SELECT * FROM t WHERE id IN (SELECT id FROM u;);\n"
                                 "DELETE * FROM t");
    ASSERT_EQ(statements.size(), 4);
    EXPECT_EQ(statements[0], "SELECT 'a;b' AS [x;y] FROM t");
    EXPECT_EQ(statements[1], "UPDATE t SET n = \"c;d\" WHERE d = #1/2/2003#");
    EXPECT_EQ(statements[2], "SELECT * FROM t WHERE id IN (SELECT id FROM u;)");
    EXPECT_EQ(statements[3], "DELETE * FROM t");
}

TEST(StatementSplitterTest, SkipsEmptyStatementsAndScriptComments)
{
    const QStringList statements =
        StatementSplitter::split("-- make the table\n;;CREATE TABLE t (a LONG);\n-- done\n");
    ASSERT_EQ(statements.size(), 1);
    EXPECT_EQ(statements[0], "CREATE TABLE t (a LONG)");
}

TEST(StatementSplitterTest, KeepsAnUnfinishedStatementPendingAcrossLines)
{
    StatementSplitter splitter;
    splitter.add("SELECT *\n");
    EXPECT_TRUE(splitter.takeStatements().isEmpty());
    EXPECT_EQ(splitter.pending(), "SELECT *");
    splitter.add("FROM t WHERE s = 'x\n");
    splitter.add("y;z';\n");
    EXPECT_EQ(splitter.takeStatements(), QStringList{"SELECT *\nFROM t WHERE s = 'x\ny;z'"});
    EXPECT_TRUE(splitter.pending().isEmpty());
}

} // namespace
} // namespace jet

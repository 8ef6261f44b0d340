// The updater's own options around the command line it passes on.

#include "updater/CommandLine.h"

#include <gtest/gtest.h>

namespace updater {
namespace {

TEST(CommandLineTest, SeparatesOwnOptionsFromTheCommandLine)
{
    CommandLine line = CommandLine::parse({});
    EXPECT_EQ(line.text, QString());
    EXPECT_FALSE(line.unattended);

    line = CommandLine::parse({"restart"});
    EXPECT_EQ(line.text, "restart");

    line = CommandLine::parse({"--unattended", "restart", "--backup-dir", "/media/My Stick"});
    EXPECT_EQ(line.text, "restart");
    EXPECT_TRUE(line.unattended);
    EXPECT_EQ(line.backupFolder, "/media/My Stick");
    EXPECT_TRUE(line.problem.isEmpty());

    line = CommandLine::parse({"Restart", "now"});
    EXPECT_EQ(line.text, "Restart now");

    line = CommandLine::parse({"--unattended", "--backup-dir"});
    EXPECT_FALSE(line.problem.isEmpty());

    // A misspelt option is no command line to pass on.
    line = CommandLine::parse({"--unatended"});
    EXPECT_TRUE(line.problem.contains("--unatended"));
    line = CommandLine::parse({"restart", "-u"});
    EXPECT_FALSE(line.problem.isEmpty());
}

} // namespace
} // namespace updater

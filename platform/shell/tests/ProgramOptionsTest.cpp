// Which words of a command line are the standard options or unknown ones: values of valued
// options and everything after "--" stand for themselves, Qt's own options are set aside.

#include "platform/shell/ProgramOptions.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace shell {
namespace {

const ProgramHelp kHelp{.name = u"tool"_s,
                        .synopses = {u"[--out FILE] [--fast] WORD..."_s, u"--list"_s},
                        .summary = u"Does things."_s,
                        .valueOptions = {u"--out"_s}};

TEST(ProgramOptions, AValueThatLooksLikeAnOptionIsAValue)
{
    EXPECT_EQ(unknownOption(kHelp, {u"--out"_s, u"--weird-name"_s, u"word"_s}), std::nullopt);
    EXPECT_EQ(unknownOption(kHelp, {u"--out"_s, u"x"_s, u"--slow"_s}, {u"--fast"_s}), u"--slow"_s);
    EXPECT_EQ(unknownOption(kHelp, {u"--fast"_s, u"--"_s, u"--anything"_s}, {u"--fast"_s}),
              std::nullopt);
    // A lone dash names standard input, as usual.
    EXPECT_EQ(unknownOption(kHelp, {u"-"_s}), std::nullopt);
}

TEST(ProgramOptions, HelpAndVersionAreNotAnsweredWhenTheyAreValues)
{
    EXPECT_EQ(answerStandardOptions(kHelp, {u"--out"_s, u"--help"_s}), std::nullopt);
    EXPECT_EQ(answerStandardOptions(kHelp, {u"--"_s, u"--version"_s}), std::nullopt);
    EXPECT_EQ(answerStandardOptions(kHelp, {u"word"_s}), std::nullopt);
}

TEST(ProgramOptions, QtsOwnOptionsAreSetAside)
{
    EXPECT_EQ(withoutQtOptions({u"-platform"_s, u"offscreen"_s, u"--style"_s, u"fusion"_s,
                                u"-reverse"_s, u"silent"_s}),
              QStringList{u"silent"_s});
    EXPECT_EQ(withoutQtOptions({u"--"_s, u"-platform"_s}), (QStringList{u"--"_s, u"-platform"_s}));
}

TEST(ProgramOptions, HelpListsEveryWayToCallTheProgramAndWrapsItsDescription)
{
    const ProgramHelp help{.name = u"tool"_s,
                           .synopses = {u"--list"_s, QString()},
                           .summary = QString(40, u'a') + u' ' + QString(40, u'b'),
                           .details = u"  --list   list them"_s};
    EXPECT_EQ(helpText(help).toStdString(),
              (u"Usage: tool --list\n"
               "  or:  tool\n"
               "\n"_s +
               QString(40, u'a') + u'\n' + QString(40, u'b') +
               u"\n\n  --list   list them\n\n"
               "      --help     display this help and exit\n"
               "      --version  output version information and exit\n"_s)
                  .toStdString());
}

} // namespace
} // namespace shell

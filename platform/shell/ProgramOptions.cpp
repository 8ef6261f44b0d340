// --help, --version and usage errors, the same for every program.

#include "platform/shell/ProgramOptions.h"

#include "platform/versioninfo/VersionInfo.h"

#include <cstdio>

using namespace Qt::StringLiterals;

namespace shell {

namespace {

const QString kHelpOption = u"--help"_s;
const QString kVersionOption = u"--version"_s;
const QString kEndOfOptions = u"--"_s;

// Qt's own options that take a value (QGuiApplication and QApplication).
const QStringList kQtValueOptions{u"-platform"_s,        u"-platformpluginpath"_s,
                                  u"-platformtheme"_s,   u"-plugin"_s,
                                  u"-qwindowgeometry"_s, u"-qwindowicon"_s,
                                  u"-qwindowtitle"_s,    u"-display"_s,
                                  u"-geometry"_s,        u"-style"_s,
                                  u"-stylesheet"_s,      u"-session"_s,
                                  u"-qmljsdebugger"_s};
const QStringList kQtFlags{u"-reverse"_s, u"-widgetcount"_s, u"-nograb"_s, u"-dograb"_s};

void print(FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// Calls `visit` with each argument that stands for itself: values of valued options and
// everything after "--" are skipped. Stops when `visit` gives true.
template <typename Visit>
void forEachOptionWord(const ProgramHelp& help, const QStringList& arguments, Visit visit)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == kEndOfOptions)
            return;
        if (visit(argument))
            return;
        if (help.valueOptions.contains(argument))
            ++i;
    }
}

// Each line of `text` broken between words to fit a terminal of 80 columns.
QString wrapped(const QString& text)
{
    constexpr qsizetype kWidth = 79;
    QStringList lines;
    for (const QString& paragraph : text.split(u'\n')) {
        QString line;
        for (const QString& word : paragraph.split(u' ', Qt::SkipEmptyParts)) {
            if (!line.isEmpty() && line.size() + 1 + word.size() > kWidth) {
                lines << line;
                line.clear();
            }
            line += (line.isEmpty() ? QString() : u" "_s) + word;
        }
        lines << line;
    }
    return lines.join(u'\n');
}

} // namespace

QStringList argumentsOf(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

QStringList withoutQtOptions(const QStringList& arguments)
{
    QStringList own;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == kEndOfOptions) {
            own << arguments.mid(i);
            break;
        }
        // Qt takes its options with one dash or two.
        const QString single = argument.startsWith(u"--"_s) ? argument.mid(1) : argument;
        if (kQtValueOptions.contains(single) && i + 1 < arguments.size())
            ++i;
        else if (!kQtFlags.contains(single))
            own << argument;
    }
    return own;
}

std::optional<int> answerStandardOptions(const ProgramHelp& help, const QStringList& arguments)
{
    std::optional<QString> asked;
    forEachOptionWord(help, arguments, [&asked](const QString& argument) {
        if (argument == kHelpOption || argument == kVersionOption)
            asked = argument;
        return asked.has_value();
    });
    if (!asked)
        return std::nullopt;
    print(stdout, *asked == kHelpOption ? helpText(help) : versionText(help.name));
    return 0;
}

int usageError(const ProgramHelp& help, const QString& problem)
{
    print(stderr, u"%1: %2\nUsage: %1 %3\nTry '%1 --help' for more information.\n"_s.arg(
                      help.name, problem, help.synopses.value(0)));
    return kUsageStatus;
}

std::optional<QString> unknownOption(const ProgramHelp& help, const QStringList& arguments,
                                     const QStringList& known)
{
    std::optional<QString> unknown;
    forEachOptionWord(help, arguments, [&](const QString& argument) {
        const bool option = argument.size() > 1 && argument.startsWith(u'-');
        if (option && !known.contains(argument) && !help.valueOptions.contains(argument) &&
            argument != kHelpOption && argument != kVersionOption)
            unknown = argument;
        return unknown.has_value();
    });
    return unknown;
}

QString helpText(const ProgramHelp& help)
{
    QString text;
    for (qsizetype i = 0; i < help.synopses.size(); ++i)
        text += (i == 0 ? u"Usage: "_s : u"  or:  "_s) +
                (help.name + u' ' + help.synopses.at(i)).trimmed() + u'\n';
    text += u'\n' + wrapped(help.summary.trimmed()) + u'\n';
    // Option lines keep their indentation.
    if (QString details = help.details; !details.trimmed().isEmpty()) {
        while (details.startsWith(u'\n'))
            details.remove(0, 1);
        while (!details.isEmpty() && details.back().isSpace())
            details.chop(1);
        text += u'\n' + details + u'\n';
    }
    text += u"\n      --help     display this help and exit\n"
            "      --version  output version information and exit\n"_s;
    return text;
}

QString versionText(const QString& name)
{
    const std::optional<verinfo::VersionInfo> info = verinfo::readOwn();
    if (!info)
        return u"%1 (version information missing)\n"_s.arg(name);
    return u"%1 (%2) %3\n%4\n"_s.arg(name, info->value(u"ProductName"_s),
                                     info->value(u"FileVersion"_s),
                                     info->value(u"LegalCopyright"_s));
}

} // namespace shell

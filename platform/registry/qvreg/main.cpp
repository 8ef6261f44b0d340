// qvreg: reads and writes the per-user registry store from the command line.

#include "platform/shell/ProgramOptions.h"
#include "Registry.h"
#include "ValueArgument.h"

#include <cstdio>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

constexpr int kExitFailure = 1;
const shell::ProgramHelp kHelp{
    .name = u"qvreg"_s,
    .synopses = {u"COMMAND ..."_s},
    .summary = u"Reads and writes the per-user registry store."_s,
    .details =
        u"  qvreg set KEY NAME VALUE [TYPE]  write a value (creating KEY and its parents)\n"
        "  qvreg get KEY NAME               print a value as text\n"
        "  qvreg delete KEY [NAME]          delete the value NAME, or KEY with all its sub-keys\n"
        "  qvreg list KEY                   print the sub-keys ([Name]) and values\n"
        "                                   (name, type, text separated by tabs; @ = default)\n"
        "\n"
        "KEY is a full key name such as HKEY_CURRENT_USER\\Software\\Quillmere\\Quorvex\n"
        "(HKCU\\... is accepted). Use \"\" as NAME for the default value.\n"
        "TYPE is one of:\n"
        "  sz         text (default), stored as UTF-8 with a terminating zero\n"
        "  expand_sz  text with %VARIABLES%, stored like sz\n"
        "  dword      32-bit number, decimal or 0x hex (4294967295, -1, 0x10)\n"
        "  binary     hex bytes separated by commas: 01,ab,ff\n"
        "  multi_sz   strings separated by a literal \\0 in VALUE: \"one\\0two\" (\\\\ is a "
        "backslash)\n"
        "\n"
        "The store is $QUORVEX_REGISTRY, else $XDG_CONFIG_HOME/quorvex/registry.db.\n"
        "Exit status: 0 success, 1 registry error, 64 wrong usage."_s,
};

void printLine(FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fputc('\n', stream);
}

int usage(const QString& problem)
{
    return shell::usageError(kHelp, problem);
}

int failed(const QString& doing, reg::Status status)
{
    // The registry's own reason names the key or value and the store file where it matters.
    const QString reason = reg::lastErrorText();
    printLine(stderr, reason.isEmpty()
                          ? QStringLiteral("qvreg: %1 failed (status %2)").arg(doing).arg(status)
                          : QStringLiteral("qvreg: %1").arg(reason));
    return kExitFailure;
}

// Closes a key handle when it goes out of scope.
class KeyHandle
{
public:
    KeyHandle() = default;
    ~KeyHandle()
    {
        if (m_key)
            reg::closeKey(m_key);
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    reg::Hkey* out() { return &m_key; }
    reg::Hkey get() const { return m_key; }

private:
    reg::Hkey m_key = 0;
};

bool splitKey(const QString& key, reg::Hkey* root, QString* subKey)
{
    if (reg::splitRootPath(key, root, subKey))
        return true;
    printLine(stderr, QStringLiteral("qvreg: \"%1\" does not start with a root key such as "
                                     "HKEY_CURRENT_USER or HKCU")
                          .arg(key));
    return false;
}

// Opens KEY for reading; gives the exit status to end with when that fails, else 0.
int openForReading(const QString& keyPath, KeyHandle* key)
{
    reg::Hkey root = 0;
    QString subKey;
    if (!splitKey(keyPath, &root, &subKey))
        return shell::kUsageStatus;
    const reg::Status status = reg::openKeyEx(root, subKey, reg::KEY_READ, key->out());
    if (status != reg::ERROR_SUCCESS)
        return failed(QStringLiteral("Opening %1").arg(keyPath), status);
    return 0;
}

int setValue(const QStringList& args)
{
    if (args.size() < 3 || args.size() > 4)
        return usage(QStringLiteral("set needs KEY NAME VALUE [TYPE]"));
    reg::qvreg::ValueArgument value;
    const QString problem = reg::qvreg::parseValueArgument(args[2], args.value(3), &value);
    if (!problem.isEmpty())
        return usage(problem);
    reg::Hkey root = 0;
    QString subKey;
    if (!splitKey(args[0], &root, &subKey))
        return shell::kUsageStatus;
    KeyHandle key;
    reg::Status status = reg::createKeyEx(root, subKey, reg::KEY_WRITE, key.out());
    if (status != reg::ERROR_SUCCESS)
        return failed(QStringLiteral("Creating %1").arg(args[0]), status);
    status = reg::setValueEx(key.get(), args[1], value.type,
                             reinterpret_cast<const std::uint8_t*>(value.data.constData()),
                             std::uint32_t(value.data.size()));
    if (status != reg::ERROR_SUCCESS)
        return failed(QStringLiteral("Writing %1 in %2").arg(args[1], args[0]), status);
    return 0;
}

int getValue(const QStringList& args)
{
    if (args.size() != 2)
        return usage(QStringLiteral("get needs KEY NAME"));
    KeyHandle key;
    if (const int exitCode = openForReading(args[0], &key); exitCode != 0)
        return exitCode;
    reg::ValueType type = reg::REG_NONE;
    std::uint32_t size = 0;
    reg::Status status = reg::queryValueEx(key.get(), args[1], &type, nullptr, &size);
    QByteArray data(qsizetype(size), '\0');
    if (status == reg::ERROR_SUCCESS && size > 0)
        status = reg::queryValueEx(key.get(), args[1], &type,
                                   reinterpret_cast<std::uint8_t*>(data.data()), &size);
    if (status != reg::ERROR_SUCCESS)
        return failed(QStringLiteral("Reading %1 in %2").arg(args[1], args[0]), status);
    printLine(stdout, reg::qvreg::formatValue(type, data.left(size)));
    return 0;
}

int deleteEntry(const QStringList& args)
{
    if (args.size() < 1 || args.size() > 2)
        return usage(QStringLiteral("delete needs KEY [NAME]"));
    reg::Hkey root = 0;
    QString subKey;
    if (!splitKey(args[0], &root, &subKey))
        return shell::kUsageStatus;
    if (args.size() == 1) {
        if (subKey.isEmpty())
            return usage(QStringLiteral("a root key cannot be deleted"));
        const reg::Status status = reg::deleteTree(root, subKey);
        return status == reg::ERROR_SUCCESS
                   ? 0
                   : failed(QStringLiteral("Deleting %1").arg(args[0]), status);
    }
    KeyHandle key;
    reg::Status status = reg::openKeyEx(root, subKey, reg::KEY_ALL_ACCESS, key.out());
    if (status == reg::ERROR_SUCCESS)
        status = reg::deleteValue(key.get(), args[1]);
    return status == reg::ERROR_SUCCESS
               ? 0
               : failed(QStringLiteral("Deleting %1 in %2").arg(args[1], args[0]), status);
}

int listKey(const QStringList& args)
{
    if (args.size() != 1)
        return usage(QStringLiteral("list needs KEY"));
    KeyHandle key;
    if (const int exitCode = openForReading(args[0], &key); exitCode != 0)
        return exitCode;
    reg::Status status = reg::ERROR_SUCCESS;
    QString name;
    for (std::uint32_t index = 0;
         (status = reg::enumKeyEx(key.get(), index, &name, 256)) == reg::ERROR_SUCCESS; ++index)
        printLine(stdout, QLatin1Char('[') + name + QLatin1Char(']'));
    if (status != reg::ERROR_NO_MORE_ITEMS)
        return failed(QStringLiteral("Listing %1").arg(args[0]), status);
    reg::ValueType type = reg::REG_NONE;
    QByteArray data;
    for (std::uint32_t index = 0; (status = reg::enumValue(key.get(), index, &name, 16384, &type,
                                                           &data)) == reg::ERROR_SUCCESS;
         ++index) {
        const QString shownName = name.isEmpty() ? QStringLiteral("@") : name;
        printLine(stdout, shownName + QLatin1Char('\t') + reg::qvreg::typeName(type) +
                              QLatin1Char('\t') + reg::qvreg::formatValue(type, data));
    }
    if (status != reg::ERROR_NO_MORE_ITEMS)
        return failed(QStringLiteral("Listing %1").arg(args[0]), status);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QStringList args = shell::argumentsOf(argc, argv);
    if (args.isEmpty())
        return usage(QStringLiteral("no command given"));
    if (args.front() == QLatin1String("-h") || args.front() == QLatin1String("help"))
        args.front() = u"--help"_s;
    if (const std::optional<int> answered = shell::answerStandardOptions(kHelp, args.mid(0, 1)))
        return *answered;
    const QString command = args.takeFirst().toLower();
    if (command == QLatin1String("set"))
        return setValue(args);
    if (command == QLatin1String("get"))
        return getValue(args);
    if (command == QLatin1String("delete"))
        return deleteEntry(args);
    if (command == QLatin1String("list"))
        return listKey(args);
    return usage(QStringLiteral("unknown command \"%1\"").arg(command));
}

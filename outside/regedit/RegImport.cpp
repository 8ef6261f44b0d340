#include "RegImport.h"

#include "Transaction.h"

#include <optional>
#include <QFile>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace regedit {
namespace {

const QString kVersion5Header = QStringLiteral("Windows Registry Editor Version 5.00");
const QString kVersion4Header = QStringLiteral("REGEDIT4");

QString decode(const QByteArray& bytes)
{
    if (bytes.startsWith("\xff\xfe")) {
        QString text;
        text.reserve((bytes.size() - 2) / 2);
        for (qsizetype i = 2; i + 1 < bytes.size(); i += 2)
            text += QChar(ushort(uchar(bytes[i]) | (uchar(bytes[i + 1]) << 8)));
        return text;
    }
    if (bytes.startsWith("\xef\xbb\xbf"))
        return QString::fromUtf8(bytes.mid(3));
    return QString::fromUtf8(bytes);
}

// State of one pass over the file's lines.
class Parser
{
public:
    Parser(const QStringList& lines, RegFile* file) : m_lines(lines), m_file(file) {}

    QString run()
    {
        if (const QString problem = header(); !problem.isEmpty())
            return problem;
        for (; m_index < m_lines.size(); ++m_index) {
            const QString line = m_lines[m_index].trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
                continue;
            const QString problem =
                line.startsWith(QLatin1Char('[')) ? keyLine(line) : valueLine(m_lines[m_index]);
            if (!problem.isEmpty())
                return problem;
        }
        return {};
    }

private:
    QString error(const QString& what) const
    {
        return QStringLiteral("line %1: %2").arg(m_index + 1).arg(what);
    }

    QString header()
    {
        for (; m_index < m_lines.size(); ++m_index) {
            const QString line = m_lines[m_index].trimmed();
            if (line.isEmpty())
                continue;
            if (line == kVersion5Header || line == kVersion4Header) {
                m_unicode = line == kVersion5Header;
                ++m_index;
                return {};
            }
            break;
        }
        return QStringLiteral("line %1: the file does not start with \"%2\" or \"%3\"; it is not a "
                              "registry file")
            .arg(m_index + 1)
            .arg(kVersion5Header, kVersion4Header);
    }

    QString keyLine(const QString& line)
    {
        if (!line.endsWith(QLatin1Char(']')))
            return error(QStringLiteral("a key line must end with \"]\""));
        RegKeyBlock block;
        QString path = line.mid(1, line.size() - 2);
        if (path.startsWith(QLatin1Char('-'))) {
            block.remove = true;
            path = path.mid(1);
        }
        QString subKey;
        if (!reg::splitRootPath(path, nullptr, &subKey))
            return error(QStringLiteral("\"%1\" does not start with a root key such as "
                                        "HKEY_CURRENT_USER")
                             .arg(path));
        // Deleting a root would delete every setting of the user (or of the machine).
        if (block.remove && subKey.isEmpty())
            return error(u"\"[-%1]\" would delete a whole root key, which is refused"_s.arg(path));
        block.path = path;
        m_file->push_back(block);
        return {};
    }

    QString valueLine(const QString& line)
    {
        if (m_file->empty() || m_file->back().remove)
            return error(QStringLiteral("a value outside a key block"));
        RegValue value;
        qsizetype position = 0;
        if (const QString problem = valueName(line, &position, &value.name); !problem.isEmpty())
            return problem;
        while (position < line.size() && line[position].isSpace())
            ++position;
        if (position >= line.size() || line[position] != QLatin1Char('='))
            return error(QStringLiteral("\"=\" expected after the value name"));
        QString data = line.mid(position + 1).trimmed();
        if (const QString problem = valueData(data, &value); !problem.isEmpty())
            return problem;
        m_file->back().values.push_back(value);
        return {};
    }

    QString valueName(const QString& line, qsizetype* position, QString* name)
    {
        qsizetype start = 0;
        while (start < line.size() && line[start].isSpace())
            ++start;
        const QStringView trimmed = QStringView(line).mid(start);
        if (trimmed.startsWith(QLatin1Char('@'))) {
            name->clear();
            *position = start + 1;
            return {};
        }
        if (!trimmed.startsWith(QLatin1Char('"')))
            return error(QStringLiteral("a value name must be \"quoted\" or @"));
        qsizetype end = 0;
        if (!unquote(line, start, name, &end, NameEscapes::LineBreaks))
            return error(QStringLiteral("the value name has no closing quote"));
        *position = end;
        return {};
    }

    enum class NameEscapes
    {
        None,
        LineBreaks, // value names: \r and \n stand for the line breaks an export escaped
    };

    // Reads a quoted text starting at `start` (the opening quote); `*end` is just past the closing
    // quote. Backslash escapes a backslash or a quote.
    static bool unquote(const QString& line, qsizetype start, QString* text, qsizetype* end,
                        NameEscapes escapes = NameEscapes::None)
    {
        text->clear();
        for (qsizetype i = start + 1; i < line.size(); ++i) {
            const QChar c = line[i];
            const QChar next = i + 1 < line.size() ? line[i + 1] : QChar();
            if (c == QLatin1Char('\\') && escapes == NameEscapes::LineBreaks &&
                (next == QLatin1Char('r') || next == QLatin1Char('n'))) {
                *text += next == QLatin1Char('r') ? QLatin1Char('\r') : QLatin1Char('\n');
                ++i;
            } else if (c == QLatin1Char('\\') &&
                       (next == QLatin1Char('\\') || next == QLatin1Char('"'))) {
                *text += line[++i];
            } else if (c == QLatin1Char('"')) {
                *end = i + 1;
                return true;
            } else {
                *text += c;
            }
        }
        return false;
    }

    QString valueData(QString data, RegValue* value)
    {
        if (data == QLatin1String("-")) {
            value->remove = true;
            return {};
        }
        if (data.startsWith(QLatin1Char('"'))) {
            QString text;
            qsizetype end = 0;
            if (!unquote(data, 0, &text, &end) || end != data.size())
                return error(QStringLiteral("the string has no closing quote, or text after it"));
            value->type = reg::REG_SZ;
            value->data = text.toUtf8().append('\0');
            return {};
        }
        if (data.startsWith(QLatin1String("dword:"), Qt::CaseInsensitive))
            return dword(data.mid(6), value);
        if (data.startsWith(QLatin1String("hex"), Qt::CaseInsensitive))
            return hex(data, value);
        return error(QStringLiteral("unknown value data \"%1\" (expected \"text\", dword:, hex: "
                                    "or hex(n):)")
                         .arg(data.left(20)));
    }

    QString dword(const QString& digits, RegValue* value)
    {
        bool ok = false;
        const quint32 number = digits.toUInt(&ok, 16);
        if (!ok || digits.size() > 8)
            return error(QStringLiteral("\"%1\" is not a dword (up to 8 hex digits)").arg(digits));
        value->type = reg::REG_DWORD;
        value->data.clear();
        for (int shift = 0; shift < 32; shift += 8)
            value->data.append(char((number >> shift) & 0xff));
        return {};
    }

    // Gathers the hex data and its continuation lines (a line ending in a backslash goes on).
    QString hex(QString data, RegValue* value)
    {
        const qsizetype colon = data.indexOf(QLatin1Char(':'));
        const QString kind = data.left(colon);
        if (colon < 0)
            return error(QStringLiteral("\":\" expected after hex"));
        if (kind.compare(QLatin1String("hex"), Qt::CaseInsensitive) == 0) {
            value->type = reg::REG_BINARY;
        } else {
            bool ok = false;
            if (!kind.startsWith(QLatin1String("hex("), Qt::CaseInsensitive) ||
                !kind.endsWith(QLatin1Char(')')))
                return error(QStringLiteral("\"%1\" is not hex: or hex(n):").arg(kind));
            value->type = kind.mid(4, kind.size() - 5).toUInt(&ok, 16);
            if (!ok)
                return error(QStringLiteral("\"%1\" does not name a type in hex").arg(kind));
        }
        QString bytesText = data.mid(colon + 1).trimmed();
        while (bytesText.endsWith(QLatin1Char('\\'))) {
            bytesText.chop(1);
            if (++m_index >= m_lines.size() || m_lines[m_index].trimmed().isEmpty())
                return error(QStringLiteral("continued hex data is followed by an empty line or "
                                            "the end of the file"));
            bytesText += m_lines[m_index].trimmed();
        }
        QByteArray bytes;
        if (!bytesText.isEmpty()) {
            const QStringList parts = bytesText.split(QLatin1Char(','));
            for (const QString& part : parts) {
                bool ok = false;
                const uint byte = part.trimmed().toUInt(&ok, 16);
                if (!ok || byte > 0xff)
                    return error(QStringLiteral("\"%1\" is not a hex byte").arg(part));
                bytes.append(char(byte));
            }
        }
        return storeBytes(bytes, value);
    }

    // Version 5 files hold strings as UTF-16LE; the store keeps them as UTF-8.
    QString storeBytes(const QByteArray& bytes, RegValue* value)
    {
        const bool text = value->type == reg::REG_SZ || value->type == reg::REG_EXPAND_SZ ||
                          value->type == reg::REG_MULTI_SZ;
        if (!text || !m_unicode) {
            value->data = bytes;
            return {};
        }
        if (bytes.size() % 2 != 0)
            return error(QStringLiteral("string data in hex must have an even number of bytes "
                                        "(UTF-16)"));
        QString decoded;
        for (qsizetype i = 0; i < bytes.size(); i += 2)
            decoded += QChar(ushort(uchar(bytes[i]) | (uchar(bytes[i + 1]) << 8)));
        value->data = decoded.toUtf8();
        return {};
    }

    const QStringList& m_lines;
    RegFile* m_file;
    qsizetype m_index = 0;
    bool m_unicode = true;
};

} // namespace

QString parseRegFile(const QByteArray& bytes, RegFile* file)
{
    QString text = decode(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QStringList lines = text.split(QLatin1Char('\n'));
    file->clear();
    return Parser(lines, file).run();
}

namespace {

QStringList applyBlocks(const RegFile& file)
{
    QStringList problems;
    for (const RegKeyBlock& block : file) {
        reg::Hkey root = 0;
        QString subKey;
        reg::splitRootPath(block.path, &root, &subKey);
        if (block.remove) {
            const reg::Status status = reg::deleteTree(root, subKey);
            if (status != reg::ERROR_SUCCESS && status != reg::ERROR_FILE_NOT_FOUND)
                problems
                    << QStringLiteral("Cannot delete %1: %2").arg(block.path, reg::lastErrorText());
            continue;
        }
        reg::Hkey key = 0;
        if (reg::createKeyEx(root, subKey, reg::KEY_ALL_ACCESS, &key) != reg::ERROR_SUCCESS) {
            problems
                << QStringLiteral("Cannot create %1: %2").arg(block.path, reg::lastErrorText());
            continue;
        }
        for (const RegValue& value : block.values) {
            const reg::Status status =
                value.remove
                    ? reg::deleteValue(key, value.name)
                    : reg::setValueEx(key, value.name, value.type,
                                      reinterpret_cast<const std::uint8_t*>(value.data.constData()),
                                      std::uint32_t(value.data.size()));
            if (status != reg::ERROR_SUCCESS &&
                !(value.remove && status == reg::ERROR_FILE_NOT_FOUND))
                problems << QStringLiteral("Cannot write \"%1\" in %2: %3")
                                .arg(value.name, block.path, reg::lastErrorText());
        }
        reg::closeKey(key);
    }
    return problems;
}

} // namespace

QString applyRegFile(const RegFile& file)
{
    if (reg::beginTransaction() != reg::ERROR_SUCCESS)
        return u"Cannot start writing to the registry: %1; nothing was imported"_s.arg(
            reg::lastErrorText());
    QStringList problems = applyBlocks(file);
    if (!problems.isEmpty()) {
        reg::rollbackTransaction();
        problems << u"Nothing was imported"_s;
    } else if (reg::commitTransaction() != reg::ERROR_SUCCESS) {
        problems << u"Cannot save the imported keys: %1; nothing was imported"_s.arg(
            reg::lastErrorText());
    }
    return problems.join(QLatin1Char('\n'));
}

QString importFile(const QString& fileName)
{
    QFile input(fileName);
    if (!input.open(QIODevice::ReadOnly))
        return QStringLiteral("Cannot read %1: %2").arg(fileName, input.errorString());
    // Read at most one byte past the limit, whatever the file (or device) claims its size is.
    const QByteArray bytes = input.read(kMaxImportBytes + 1);
    if (bytes.size() > kMaxImportBytes)
        return u"%1 is larger than %2 MB, more than any registry file; nothing was imported"_s
            .arg(fileName)
            .arg(kMaxImportBytes / (1024 * 1024));
    if (input.error() != QFileDevice::NoError)
        return QStringLiteral("Cannot read %1: %2").arg(fileName, input.errorString());
    RegFile file;
    if (const QString problem = parseRegFile(bytes, &file); !problem.isEmpty())
        return QStringLiteral("%1, %2; nothing was imported").arg(fileName, problem);
    return applyRegFile(file);
}

} // namespace regedit

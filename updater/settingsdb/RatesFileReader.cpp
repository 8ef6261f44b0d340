#include "RatesFileReader.h"

#include "vb/ConversionFunctions.h"
#include "vb/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>

namespace updater {

namespace {

constexpr int invalidFileFormat = 321;
constexpr int fieldsPerRecord = 3;

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

bool isBlankLine(const QByteArray& line)
{
    for (const char c : line) {
        if (c != ' ' && c != '\t')
            return false;
    }
    return true;
}

// Control characters other than tab mark a line that is not text.
bool holdsControlCharacters(const QString& line)
{
    for (const QChar c : line) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != u'\t') || u == 0x7F)
            return true;
    }
    return false;
}

QString withoutOuterBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin).toString();
}

// Splits one record into its fields; a non-empty `problem` says why it cannot be read.
QStringList splitFields(const QString& line, QString& problem)
{
    QStringList fields;
    qsizetype pos = 0;
    const qsizetype length = line.size();
    for (;;) {
        while (pos < length && isBlank(line[pos]))
            ++pos;
        if (pos < length && line[pos] == QLatin1Char('"')) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), pos + 1);
            if (close < 0) {
                problem = QStringLiteral("the quote that opens field %1 is not closed on its line")
                              .arg(fields.size() + 1);
                return {};
            }
            fields.append(line.mid(pos + 1, close - pos - 1));
            pos = close + 1;
            while (pos < length && isBlank(line[pos]))
                ++pos;
            if (pos < length && line[pos] != QLatin1Char(',')) {
                problem =
                    QStringLiteral("field %1 has text after its closing quote").arg(fields.size());
                return {};
            }
        } else {
            qsizetype comma = line.indexOf(QLatin1Char(','), pos);
            if (comma < 0)
                comma = length;
            fields.append(withoutOuterBlanks(QStringView(line).sliced(pos, comma - pos)));
            pos = comma;
        }
        if (pos >= length)
            return fields;
        ++pos; // the comma; a comma at the end of the line leaves an empty last field
        if (pos >= length) {
            fields.append(QString());
            return fields;
        }
    }
}

} // namespace

double rateValue(const QString& text)
{
    return vb::valueOfText(text);
}

RatesFileReader::RatesFileReader(const QString& path)
    : m_file(std::make_unique<QFile>(path)), m_fileName(QDir::toNativeSeparators(path))
{
    const QFileInfo info(path);
    if (!info.exists())
        throw vb::Error(vb::ErrorNumber::FileNotFound,
                        QStringLiteral("The exchange rates file '%1' was not found. Please "
                                       "reinstall the program to restore it.")
                            .arg(m_fileName));
    if (!info.isFile() || !m_file->open(QIODevice::ReadOnly))
        throw vb::Error(vb::ErrorNumber::PathFileAccessError,
                        QStringLiteral("The exchange rates file '%1' could not be read: %2")
                            .arg(m_fileName, info.isFile() ? m_file->errorString()
                                                           : QStringLiteral("it is not a file")));
    m_device = m_file.get();
}

RatesFileReader::RatesFileReader(QIODevice& device, QString fileName)
    : m_device(&device), m_fileName(std::move(fileName))
{
}

RatesFileReader::~RatesFileReader() = default;

bool RatesFileReader::atEnd()
{
    return !fetchLine();
}

ExchangeRateRecord RatesFileReader::readRecord()
{
    if (!fetchLine())
        throw vb::Error(vb::ErrorNumber::InputPastEndOfFile,
                        QStringLiteral("The exchange rates file '%1' holds no further record "
                                       "after record %2.")
                            .arg(m_fileName)
                            .arg(m_records));
    const QString line = decodedLine();
    m_hasPending = false;
    QString problem;
    const QStringList fields = splitFields(line, problem);
    if (problem.isEmpty() && fields.size() != fieldsPerRecord)
        problem = QStringLiteral("it has %1 field(s) where a record has three (currency code, "
                                 "title, rate)")
                      .arg(fields.size());
    if (!problem.isEmpty())
        fail(problem);
    ExchangeRateRecord record;
    record.currencyCode = fields.at(0);
    record.currencyTitle = fields.at(1);
    try {
        record.rate = rateValue(fields.at(2));
    } catch (const vb::Error&) {
        fail(QStringLiteral("its rate \"%1\" is too large a number").arg(fields.at(2)));
    }
    ++m_records;
    return record;
}

bool RatesFileReader::fetchLine()
{
    while (!m_hasPending) {
        if (m_device->atEnd())
            return false;
        QByteArray line = m_device->readLine(maximumLineLength + 1);
        ++m_line;
        if (line.isEmpty() && !m_device->atEnd())
            fail(QStringLiteral("the file could not be read: %1").arg(m_device->errorString()));
        const bool ended = line.endsWith('\n');
        if (!ended && line.size() > maximumLineLength)
            fail(QStringLiteral("the line is longer than %1 characters").arg(maximumLineLength));
        if (ended)
            line.chop(1);
        if (line.endsWith('\r'))
            line.chop(1);
        if (m_line == 1 && line.startsWith("\xEF\xBB\xBF"))
            line.remove(0, 3);
        if (!isBlankLine(line)) {
            m_pending = std::move(line);
            m_hasPending = true;
        }
    }
    return true;
}

QString RatesFileReader::decodedLine()
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString line = decoder.decode(m_pending);
    if (decoder.hasError() || holdsControlCharacters(line))
        fail(QStringLiteral("it is not text (it holds control characters or bytes that are not "
                            "UTF-8)"));
    return line;
}

void RatesFileReader::fail(const QString& problem) const
{
    throw vb::Error(invalidFileFormat,
                    QStringLiteral("The exchange rates file '%1' cannot be read at record %2 "
                                   "(line %3): %4. Please reinstall the program to restore the "
                                   "file.")
                        .arg(m_fileName)
                        .arg(m_records + 1)
                        .arg(m_line)
                        .arg(problem));
}

} // namespace updater

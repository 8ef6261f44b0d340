#pragma once

// rates.dat, the exchange rates the installation delivers: text records of three fields
// separated by commas - currency code, currency title, rate against the US dollar - as the
// platform's sequential input reads them. A field may stand in double quotes and then hold
// commas; blanks around a field outside quotes are dropped; a record ends with CR LF or LF.
// Blank lines hold no record. The text is UTF-8 (a byte order mark at its start is skipped).
//
// The rate is read as text and converted by the locale-independent rule (VB's Val): the longest
// leading number with a full stop as decimal sign, 0 when the text begins with no number.
//
// A file that does not read as such records fails with an error naming the file and the
// record: a quote that is not closed on its line, text after a closing quote, a record with
// other than three fields, a line holding control characters or bytes that are not UTF-8 (a
// binary file), a line longer than any rate record could be, a rate beyond the range of a
// Double.

#include <memory>
#include <QByteArray>
#include <QString>

class QFile;
class QIODevice;

namespace updater {

struct ExchangeRateRecord
{
    QString currencyCode;
    QString currencyTitle;
    double rate = 0.0;
};

class RatesFileReader
{
public:
    // Longest line accepted; a rate record is a few dozen characters.
    static constexpr qint64 maximumLineLength = 64 * 1024;

    // Opens the file at `path` for sequential reading. A missing or unreadable file raises
    // vb::Error (53 file not found, 75 access error) naming the file.
    explicit RatesFileReader(const QString& path);
    // Reads from a device opened for reading; `fileName` names it in errors.
    RatesFileReader(QIODevice& device, QString fileName);
    ~RatesFileReader();
    RatesFileReader(const RatesFileReader&) = delete;
    RatesFileReader& operator=(const RatesFileReader&) = delete;

    // True when no record is left (only blank lines or nothing).
    bool atEnd();
    // The next record; raises vb::Error 321 (invalid file format) for a malformed one and 62
    // (input past end of file) when there is none.
    ExchangeRateRecord readRecord();

    // Records read so far.
    int recordCount() const noexcept { return m_records; }
    const QString& fileName() const noexcept { return m_fileName; }

private:
    bool fetchLine();
    QString decodedLine();
    [[noreturn]] void fail(const QString& problem) const;

    std::unique_ptr<QFile> m_file;
    QIODevice* m_device = nullptr;
    QString m_fileName;
    QByteArray m_pending; // the next non-blank line, read ahead by atEnd()
    bool m_hasPending = false;
    int m_line = 0;    // number of the line last read
    int m_records = 0; // records handed out
};

// The rate text's value by the locale-independent rule; raises vb::Error 6 (overflow) for a
// number beyond the range of a Double.
double rateValue(const QString& text);

} // namespace updater

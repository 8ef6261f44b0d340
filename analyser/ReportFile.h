#pragma once

// The report file: created or emptied when opened (readable by its owner only), one line per
// entry (UTF-8, CR LF), closed at the end of the run. Lines are buffered and reach the disk at the
// latest when the file closes.

#include <functional>
#include <QByteArray>
#include <QFile>
#include <QString>

namespace analyser {

class ReportFile
{
public:
    // Called after every line, so a window can stay responsive during a long run.
    using LineHook = std::function<void()>;

    ReportFile() = default;
    ~ReportFile();
    ReportFile(const ReportFile&) = delete;
    ReportFile& operator=(const ReportFile&) = delete;

    // False with the reason in error() when the file cannot be created or emptied.
    bool open(const QString& path);
    bool isOpen() const { return m_file.isOpen(); }
    void setLineHook(LineHook hook) { m_afterLine = std::move(hook); }

    void writeLine(const QString& text);
    // Writes what is buffered and closes; false with the reason in error() when the disk did
    // not take every line. Closing a closed file does nothing and succeeds.
    bool close();

    QString path() const { return m_file.fileName(); }
    QString error() const { return m_error; }

private:
    bool flush();

    QFile m_file;
    QByteArray m_buffer;
    QString m_error;
    LineHook m_afterLine;
};

} // namespace analyser

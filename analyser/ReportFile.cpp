#include "ReportFile.h"

namespace analyser {

namespace {

constexpr qsizetype kFlushSize = 64 * 1024;

} // namespace

ReportFile::~ReportFile()
{
    close();
}

bool ReportFile::open(const QString& path)
{
    close();
    m_error.clear();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = m_file.errorString();
        return false;
    }
    // The report copies the registry entries, which are private to the user: so is the report,
    // also when it replaces one that others could read.
    if (!m_file.setPermissions(QFile::ReadOwner | QFile::WriteOwner)) {
        m_error = m_file.errorString();
        m_file.close();
        return false;
    }
    return true;
}

void ReportFile::writeLine(const QString& text)
{
    if (!m_file.isOpen())
        return;
    m_buffer += text.toUtf8();
    m_buffer += "\r\n";
    if (m_buffer.size() >= kFlushSize)
        flush();
    if (m_afterLine)
        m_afterLine();
}

bool ReportFile::flush()
{
    if (m_buffer.isEmpty())
        return true;
    const bool written = m_file.write(m_buffer) == m_buffer.size();
    m_buffer.clear();
    if (!written && m_error.isEmpty())
        m_error = m_file.errorString();
    return written;
}

bool ReportFile::close()
{
    if (!m_file.isOpen())
        return m_error.isEmpty();
    flush();
    if (!m_file.flush() && m_error.isEmpty())
        m_error = m_file.errorString();
    m_file.close();
    return m_error.isEmpty();
}

} // namespace analyser

#pragma once

// An OLE2 compound file (the container of Excel 5 and later workbooks) holding one stream,
// written with libgsf.

#include <QByteArray>
#include <QString>

namespace report {

// Writes `path` as a compound file with the stream `streamName` holding `data`. Returns an
// empty string on success, else what went wrong.
QString writeOleStorage(const QString& path, const char* streamName, const QByteArray& data);

} // namespace report

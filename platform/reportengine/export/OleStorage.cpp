// OleStorage: a one-stream compound file through libgsf's MS OLE2 writer.

#include "platform/reportengine/export/OleStorage.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-utils.h>
#include <memory>
#include <QFile>

using namespace Qt::StringLiterals;

namespace report {

namespace {

struct ObjectUnref
{
    void operator()(void* object) const { g_object_unref(object); }
};
template <class T>
using GsfHandle = std::unique_ptr<T, ObjectUnref>;

struct FileCloser
{
    void operator()(FILE* file) const { std::fclose(file); }
};

QString failure(GsfOutput* output, const QString& fallback)
{
    const GError* error = gsf_output_error(output);
    return error ? QString::fromUtf8(error->message) : fallback;
}

bool closeOutput(GsfOutput* output)
{
    return gsf_output_close(output) != FALSE;
}

} // namespace

QString writeOleStorage(const QString& path, const char* streamName, const QByteArray& data)
{
    // libgsf writes into our own open file: its file-name writer would add a temporary file
    // of its own beside ours.
    const QByteArray encoded = QFile::encodeName(path);
    std::unique_ptr<FILE, FileCloser> file(std::fopen(encoded.constData(), "wb"));
    if (!file)
        return QString::fromLocal8Bit(std::strerror(errno));
    const GsfHandle<GsfOutput> sink(
        gsf_output_stdio_new_FILE(encoded.constData(), file.get(), TRUE));
    if (!sink)
        return u"the file could not be opened"_s;
    const GsfHandle<GsfOutfile> storage(gsf_outfile_msole_new(sink.get()));
    if (!storage)
        return u"no compound file could be made"_s;
    {
        const GsfHandle<GsfOutput> stream(gsf_outfile_new_child(storage.get(), streamName, FALSE));
        if (!stream)
            return u"no stream could be made"_s;
        const bool written =
            gsf_output_write(stream.get(), static_cast<size_t>(data.size()),
                             reinterpret_cast<const guint8*>(data.constData())) != FALSE;
        if (!written || !closeOutput(stream.get()))
            return u"the workbook could not be written"_s;
    }
    // Closing the compound file writes its directory into the file.
    if (!closeOutput(GSF_OUTPUT(storage.get())))
        return failure(sink.get(), u"the compound file could not be completed"_s);
    if (std::fflush(file.get()) != 0 || std::fclose(file.release()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return {};
}

} // namespace report

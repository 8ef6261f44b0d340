// OleStorage: a one-stream compound file through libgsf's MS OLE2 writer.

#include "platform/reportengine/export/OleStorage.h"

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

QString failure(GError* error, const QString& fallback)
{
    if (!error)
        return fallback;
    const QString message = QString::fromUtf8(error->message);
    g_error_free(error);
    return message;
}

bool closeOutput(GsfOutput* output)
{
    return gsf_output_close(output) != FALSE;
}

} // namespace

QString writeOleStorage(const QString& path, const char* streamName, const QByteArray& data)
{
    GError* error = nullptr;
    const GsfHandle<GsfOutput> sink(
        gsf_output_stdio_new(QFile::encodeName(path).constData(), &error));
    if (!sink)
        return failure(error, u"the file could not be opened"_s);
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
    // Closing the compound file writes its directory and closes the file under it.
    if (!closeOutput(GSF_OUTPUT(storage.get()))) {
        const GError* sinkError = gsf_output_error(sink.get());
        return sinkError ? QString::fromUtf8(sinkError->message)
                         : u"the compound file could not be completed"_s;
    }
    return {};
}

} // namespace report

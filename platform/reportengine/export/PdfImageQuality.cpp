// PdfImageQuality: image XObjects decoded with libqpdf and stored again as JPEG by Qt.

#include "platform/reportengine/export/PdfImageQuality.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFObjectHandle.hh>
#include <set>

namespace report {

namespace {

bool isName(QPDFObjectHandle value, const char* name)
{
    return value.isName() && value.getName() == name;
}

// The objects used as soft masks of other images: they stay lossless.
std::set<QPDFObjGen> softMasks(const std::vector<QPDFObjectHandle>& objects)
{
    std::set<QPDFObjGen> masks;
    for (QPDFObjectHandle object : objects) {
        if (!object.isStream())
            continue;
        QPDFObjectHandle mask = object.getDict().getKey("/SMask");
        if (mask.isStream())
            masks.insert(mask.getObjGen());
    }
    return masks;
}

// The image's pixels when it is a plain 8-bit RGB or grey image, else a null image.
QImage decodedImage(QPDFObjectHandle stream)
{
    QPDFObjectHandle dict = stream.getDict();
    if (!isName(dict.getKey("/Subtype"), "/Image") || dict.getKey("/ImageMask").isBool())
        return {};
    long long width = 0;
    long long height = 0;
    long long bits = 0;
    if (!dict.getKey("/Width").getValueAsInt(width) ||
        !dict.getKey("/Height").getValueAsInt(height) ||
        !dict.getKey("/BitsPerComponent").getValueAsInt(bits) || bits != 8 || width <= 0 ||
        height <= 0 || dict.getKey("/Decode").isArray())
        return {};
    QPDFObjectHandle space = dict.getKey("/ColorSpace");
    const bool rgb = isName(space, "/DeviceRGB");
    if (!rgb && !isName(space, "/DeviceGray"))
        return {};
    std::shared_ptr<Buffer> data;
    try {
        data = stream.getStreamData(qpdf_dl_all);
    } catch (const std::exception&) {
        return {}; // a filter qpdf cannot undo: left as it is
    }
    const int bytesPerLine = static_cast<int>(width) * (rgb ? 3 : 1);
    if (data->getSize() < static_cast<std::size_t>(bytesPerLine) * height)
        return {};
    const QImage view(data->getBuffer(), static_cast<int>(width), static_cast<int>(height),
                      bytesPerLine, rgb ? QImage::Format_RGB888 : QImage::Format_Grayscale8);
    return view.copy(); // the buffer dies with `data`
}

QByteArray jpeg(const QImage& image, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setOptimizedWrite(true);
    return writer.write(image) ? bytes : QByteArray();
}

} // namespace

int recompressPdfImages(QPDF& pdf, int quality)
{
    const std::vector<QPDFObjectHandle> objects = pdf.getAllObjects();
    const std::set<QPDFObjGen> masks = softMasks(objects);
    int count = 0;
    for (QPDFObjectHandle object : objects) {
        if (!object.isStream() || masks.count(object.getObjGen()))
            continue;
        const QImage image = decodedImage(object);
        if (image.isNull())
            continue;
        const QByteArray bytes = jpeg(image, quality);
        if (bytes.isEmpty())
            continue;
        object.replaceStreamData(bytes.toStdString(), QPDFObjectHandle::newName("/DCTDecode"),
                                 QPDFObjectHandle::newNull());
        object.getDict().removeKey("/DecodeParms");
        ++count;
    }
    return count;
}

} // namespace report

// Controls: binding values into text boxes, pictures and their own size, line ends.
#include "platform/reportengine/model/Control.h"

#include "platform/vb/Format.h"

#include <QImageReader>

namespace report {

void TextBox::bindValue(const vb::Variant& value)
{
    m_dataValue = value;
    if (value.isEmpty()) {
        m_text.clear();
        return;
    }
    if (m_outputFormat.isEmpty()) {
        m_text = value.isNull() ? QString() : value.toString();
        return;
    }
    // Null shows nothing unless the format has a section of its own for it.
    const vb::Variant formatted = vb::Format(value, m_outputFormat);
    m_text = formatted.isNull() ? QString() : formatted.toString();
}

bool Picture::loadPicture(const QString& fileName)
{
    QImageReader reader(fileName);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    m_picture = image;
    return !image.isNull();
}

namespace {

int himetric(int pixels, int dotsPerMeter)
{
    // 96 dpi when the file does not say (3780 dots per metre).
    const double dpm = dotsPerMeter > 0 ? dotsPerMeter : 3779.5275590551;
    return qRound(pixels / dpm * 100000.0);
}

} // namespace

int Picture::pictureWidthHimetric() const
{
    return m_picture.isNull() ? 0 : himetric(m_picture.width(), m_picture.dotsPerMeterX());
}

int Picture::pictureHeightHimetric() const
{
    return m_picture.isNull() ? 0 : himetric(m_picture.height(), m_picture.dotsPerMeterY());
}

void LineControl::setEnds(int x1, int y1, int x2, int y2)
{
    setLeft(x1);
    setTop(y1);
    setWidth(x2 - x1);
    setHeight(y2 - y1);
}

} // namespace report

// ImageStore: pictures kept once, found again by a digest of their pixels.

#include "platform/reportengine/page/ImageStore.h"

#include <QCryptographicHash>

namespace report {

namespace {

// The same picture loaded twice, or once as indexed and once as RGB, has the same digest:
// the pixels are compared as 32-bit ARGB, with the size and resolution that decide how it
// is drawn.
QByteArray pixelDigest(const QImage& image)
{
    const QImage argb = image.format() == QImage::Format_ARGB32
                            ? image
                            : image.convertToFormat(QImage::Format_ARGB32);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    const qint32 header[] = {argb.width(), argb.height(), argb.dotsPerMeterX(),
                             argb.dotsPerMeterY()};
    hash.addData(QByteArrayView(reinterpret_cast<const char*>(header), sizeof header));
    const qsizetype rowBytes = qsizetype(argb.width()) * 4;
    for (int y = 0; y < argb.height(); ++y)
        hash.addData(
            QByteArrayView(reinterpret_cast<const char*>(argb.constScanLine(y)), rowBytes));
    return hash.result();
}

} // namespace

std::uint32_t ImageStore::add(const QImage& image)
{
    if (image.isNull())
        return 0;
    // A generator adds the same QImage on every page; its cache key finds it without hashing.
    if (const auto known = m_byCacheKey.constFind(image.cacheKey()); known != m_byCacheKey.cend())
        return *known;
    const QByteArray digest = pixelDigest(image);
    std::uint32_t id = m_byContent.value(digest, 0);
    if (id == 0) {
        m_images.push_back(image);
        id = static_cast<std::uint32_t>(m_images.size());
        m_byContent.insert(digest, id);
    }
    m_byCacheKey.insert(image.cacheKey(), id);
    return id;
}

QImage ImageStore::image(std::uint32_t id) const
{
    if (id == 0 || id > m_images.size())
        return {};
    return m_images[id - 1];
}

void ImageStore::clear()
{
    m_images.clear();
    m_byContent.clear();
    m_byCacheKey.clear();
}

} // namespace report

#pragma once

// The pictures of a page collection, each kept once however many pages show it (a background
// picture on every page of a 5,000-page report is one image). Ids start at 1; 0 is "none".

#include <cstdint>
#include <QByteArray>
#include <QHash>
#include <QImage>
#include <vector>

namespace report {

class ImageStore
{
public:
    // The id of an image with the same pixels when one is stored, else a new id.
    std::uint32_t add(const QImage& image);
    // A null image for an unknown id.
    QImage image(std::uint32_t id) const;
    int count() const noexcept { return static_cast<int>(m_images.size()); }
    void clear();

private:
    std::vector<QImage> m_images;                 // id - 1
    QHash<QByteArray, std::uint32_t> m_byContent; // pixel digest -> id
    QHash<qint64, std::uint32_t> m_byCacheKey;    // QImage::cacheKey() of images added -> id
};

} // namespace report

// Loading the label picture and choosing how it is drawn.

#include "reports/cellarbook/LabelPicture.h"

#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace parvello {

namespace {

// 1 inch = 1440 twips = 2540 hundredths of a millimetre.
int himetricToTwips(int himetric)
{
    return static_cast<int>((static_cast<qint64>(himetric) * 1440 + 1270) / 2540);
}

} // namespace

QString loadLabelPicture(report::Picture& image, const QString& path)
{
    image.clearPicture();
    if (!QFileInfo(path).isFile())
        return path + u" doesn't exist!"_s;
    if (!image.loadPicture(path))
        return path + u" can't be shown: it is not a picture this report can read!"_s;
    return QString();
}

report::SizeMode labelSizeMode(const report::Picture& image)
{
    const bool fits = image.width() > himetricToTwips(image.pictureWidthHimetric()) &&
                      image.height() > himetricToTwips(image.pictureHeightHimetric());
    return fits ? report::SizeMode::Clip : report::SizeMode::Zoom;
}

} // namespace parvello

#pragma once

// A generated page as HTML: a block of the paper's size in which every item keeps its place,
// size and stacking (absolutely positioned, in points). Text items become blocks in reading
// order with the measured line breaks; shapes and straight lines become boxes and borders,
// slanted lines small SVG drawings, pictures IMG elements. Text styles are shared CSS classes,
// collected while pages are written, for one stylesheet.

#include "platform/reportengine/page/Page.h"

#include <functional>
#include <QHash>
#include <QString>

namespace report {

class HtmlPageMarkup
{
public:
    // Returns the address (relative to the page) of the picture file showing the item.
    using PictureFile = std::function<QString(const ImageItem&)>;

    explicit HtmlPageMarkup(PictureFile pictureFile);

    // The page's block, with id "page<number>". Its table-of-contents entries get anchors
    // "toc<n>", numbered on from firstTocNumber.
    QString page(const Page& page, int pageNumber, int firstTocNumber);

    // The rules of every style used so far.
    QString styleSheet() const;

private:
    QString textClass(const TextItem& item);
    QString text(const TextItem& item, int z);

    PictureFile m_pictureFile;
    QHash<QString, QString> m_classByStyle; // CSS declarations -> class name
    QString m_classRules;
    QString m_paperRule; // printed paper: the first page's size, no margins
};

// Twips as CSS points ("72pt", "7.25pt").
QString cssPoints(int twips);

} // namespace report

// The preview toolbar's icons, painted on a 24 x 24 grid.
#include "platform/reportengine/preview/ToolIcons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>

namespace report {

namespace {

constexpr int kGrid = 24;

// A sheet of paper with its top right corner folded.
void paper(QPainter& p, const QRectF& r)
{
    QPainterPath path;
    const double fold = r.width() / 3.5;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    p.setBrush(Qt::white);
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
}

void magnifier(QPainter& p, int sign)
{
    p.drawEllipse(QRectF(3, 3, 13, 13));
    p.drawLine(QPointF(14.5, 14.5), QPointF(21, 21));
    if (sign != 0)
        p.drawLine(QPointF(6.5, 9.5), QPointF(12.5, 9.5));
    if (sign > 0)
        p.drawLine(QPointF(9.5, 6.5), QPointF(9.5, 12.5));
}

void chevron(QPainter& p, double x, int direction)
{
    const double tip = direction < 0 ? x : x + 6;
    const double back = direction < 0 ? x + 6 : x;
    p.drawPolyline(QPolygonF{QPointF(back, 6), QPointF(tip, 12), QPointF(back, 18)});
}

void paint(QPainter& p, ToolIcon icon)
{
    switch (icon) {
    case ToolIcon::Thumbnails:
        for (int row = 0; row < 2; ++row)
            for (int column = 0; column < 2; ++column)
                p.drawRect(QRectF(4 + column * 9, 3 + row * 10, 7, 8));
        break;
    case ToolIcon::Print:
        p.drawRect(QRectF(7, 3, 10, 6));
        p.drawRoundedRect(QRectF(3, 9, 18, 8), 1.5, 1.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(7, 14, 10, 7));
        p.setBrush(Qt::NoBrush);
        break;
    case ToolIcon::Find:
        magnifier(p, 0);
        break;
    case ToolIcon::SinglePage:
        paper(p, QRectF(6, 3, 12, 18));
        break;
    case ToolIcon::Continuous:
        paper(p, QRectF(6, 1.5, 12, 9));
        paper(p, QRectF(6, 13.5, 12, 9));
        break;
    case ToolIcon::ZoomOut:
        magnifier(p, -1);
        break;
    case ToolIcon::ZoomIn:
        magnifier(p, 1);
        break;
    case ToolIcon::FitWidth:
        paper(p, QRectF(6, 3, 12, 18));
        p.drawLine(QPointF(1.5, 12), QPointF(22.5, 12));
        p.drawPolyline(QPolygonF{QPointF(4, 9.5), QPointF(1.5, 12), QPointF(4, 14.5)});
        p.drawPolyline(QPolygonF{QPointF(20, 9.5), QPointF(22.5, 12), QPointF(20, 14.5)});
        break;
    case ToolIcon::FitPage:
        p.drawRect(QRectF(2, 2, 20, 20));
        paper(p, QRectF(7.5, 5, 9, 14));
        break;
    case ToolIcon::FirstPage:
        p.drawLine(QPointF(6, 6), QPointF(6, 18));
        chevron(p, 9, -1);
        break;
    case ToolIcon::PreviousPage:
        chevron(p, 9, -1);
        break;
    case ToolIcon::NextPage:
        chevron(p, 9, 1);
        break;
    case ToolIcon::LastPage:
        chevron(p, 9, 1);
        p.drawLine(QPointF(18, 6), QPointF(18, 18));
        break;
    case ToolIcon::Stop: {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xc6, 0x28, 0x28));
        p.drawRoundedRect(QRectF(4, 4, 16, 16), 2.5, 2.5);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(9, 9, 6, 6));
        break;
    }
    }
}

QPixmap pixmap(ToolIcon icon, int size, const QColor& ink)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(double(size) / kGrid, double(size) / kGrid);
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    paint(p, icon);
    return pixmap;
}

} // namespace

QIcon toolIcon(ToolIcon icon)
{
    const QColor ink = QGuiApplication::palette().color(QPalette::WindowText);
    QIcon result;
    for (const int size : {16, 24, 32, 48})
        result.addPixmap(pixmap(icon, size, ink));
    return result;
}

} // namespace report

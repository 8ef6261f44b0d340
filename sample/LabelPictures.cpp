#include "LabelPictures.h"

#include "vb/Error.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace sample {

namespace {

constexpr int pictureWidth = 240;
constexpr int pictureHeight = 160;

bool canDrawText()
{
    return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

void drawLabel(QImage& image, const QString& winery, const QString& label, const QString& vintage,
               const QColor& colour)
{
    image.fill(QColor(246, 240, 226));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 3));
    painter.drawRect(QRect(6, 6, pictureWidth - 12, pictureHeight - 12));
    painter.fillRect(QRect(6, pictureHeight - 34, pictureWidth - 12, 28), colour);
    if (!canDrawText()) {
        return;
    }
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(17);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QRect upper(12, 14, pictureWidth - 24, 60);
    painter.drawText(upper, Qt::AlignCenter | Qt::TextWordWrap, winery);
    font.setBold(false);
    font.setItalic(true);
    font.setPixelSize(14);
    painter.setFont(font);
    painter.drawText(QRect(12, 76, pictureWidth - 24, 44), Qt::AlignCenter | Qt::TextWordWrap,
                     label);
    painter.setPen(Qt::white);
    painter.drawText(QRect(6, pictureHeight - 34, pictureWidth - 12, 28), Qt::AlignCenter,
                     vintage.isEmpty() ? QStringLiteral("N.V.") : vintage);
}

} // namespace

LabelPictures::LabelPictures(QString installationDir, int limit)
    : m_installationDir(std::move(installationDir)), m_limit(limit)
{
}

QString LabelPictures::write(const QString& winery, const QString& label, const QString& vintage,
                             const QColor& colour)
{
    if (m_written >= m_limit) {
        return {};
    }
    const QDir installation(m_installationDir);
    if (!installation.exists(folderName) && !installation.mkdir(folderName)) {
        throw vb::Error(vb::ErrorNumber::PathFileAccessError,
                        QStringLiteral("Could not make the folder '%1'.")
                            .arg(QDir::toNativeSeparators(installation.filePath(folderName))),
                        QStringLiteral("sample"));
    }
    const QString relative =
        folderName + QStringLiteral("/label%1.jpg").arg(m_written + 1, 4, 10, QLatin1Char('0'));
    QImage image(pictureWidth, pictureHeight, QImage::Format_RGB32);
    drawLabel(image, winery, label, vintage, colour);
    const QString path = installation.filePath(relative);
    if (!image.save(path, "JPG", 85) && !image.save(path, "PNG")) {
        throw vb::Error(vb::ErrorNumber::PathFileAccessError,
                        QStringLiteral("Could not write the label picture '%1'.")
                            .arg(QDir::toNativeSeparators(path)),
                        QStringLiteral("sample"));
    }
    ++m_written;
    return relative;
}

} // namespace sample

#pragma once

// The label pictures of the sample cellar: small JPEG images in the installation's "Labels"
// folder, one per winery and label, with the winery, the wine and the vintage written on them.
// Wines keep the picture's path relative to the installation folder ("Labels/label0001.jpg"),
// so an installation can be moved or copied and its databases stay the same.
// Text needs a QGuiApplication (fonts); without one the pictures are drawn without text.

#include <QColor>
#include <QString>

namespace sample {

class LabelPictures
{
public:
    static inline const QString folderName = QStringLiteral("Labels");

    // installationDir must exist; the "Labels" folder is made when the first picture is written.
    explicit LabelPictures(QString installationDir, int limit);

    // Writes the next picture and returns its path relative to the installation folder, or an
    // empty string once `limit` pictures are written. Raises vb::Error when it cannot be saved.
    QString write(const QString& winery, const QString& label, const QString& vintage,
                  const QColor& colour);

    int written() const noexcept { return m_written; }

private:
    QString m_installationDir;
    int m_limit = 0;
    int m_written = 0;
};

} // namespace sample

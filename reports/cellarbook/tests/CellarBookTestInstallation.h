#pragma once

// The cellar book tests' installation: the sample installation at the current database
// versions (40 wines), made once for the test program and registered, with a few wines changed
// to hold what the sample lacks: more than five variety lines, locations on three lines and on
// fourteen, a website with "http://" and one with "HTTP://", a label picture that does not
// exist, one that is no picture, a large one, a wine without one, and a wine whose key is above
// the 16-bit range (65536 plus the key of another wine with notes, which a 16-bit key would
// turn into). Sums are shown in a display currency other than the stored one. The Parvello
// library is registered for the test program.

#include "host/HostFiles.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace parvello::testing {

struct CellarBookWines
{
    qint32 manyVarieties = 0;
    QStringList varieties; // its seven lines
    qint32 threeLocations = 0;
    qint32 longLocations = 0;   // fourteen lines, more than one line joined
    qint32 lowerCaseScheme = 0; // winery website "http://www.lowercase-winery.example"
    qint32 upperCaseScheme = 0; // winery website "HTTP://www.UPPERCASE-WINERY.example"
    qint32 missingPicture = 0;
    QString missingPicturePath;
    qint32 brokenPicture = 0;
    QString brokenPicturePath;
    qint32 largePicture = 0;  // 1200 x 900 pixels at 96 dpi
    qint32 samplePicture = 0; // a sample label: 240 x 160 pixels
    qint32 wideKey = 0;
    qint32 wideKeyTwin = 0; // wideKey - 65536
};

struct CellarBookInstallation
{
    host::HostFiles files;
    CellarBookWines wines;
};

const CellarBookInstallation& installation();

// Rows of a query read with plain SQLite on the main wine database, every value as text.
QList<QStringList> sqliteRows(const QString& sql);

} // namespace parvello::testing

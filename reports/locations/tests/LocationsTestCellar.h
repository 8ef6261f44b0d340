#pragma once

// The locations tests' cellar: the sample installation at the current database versions, made
// once for the test program, with the Stovanic library registered; plain-SQLite reading of its
// files (an independent reader of what the engine wrote) and poppler's readers for PDFs.

#include "reports/tests/PdfReading.h"
#include "reports/tests/SqliteRows.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace stovanic::testing {

// The installation's folder (registered, with csample.qvd and settings.dat).
const QString& cellarFolder();
QString mainDatabaseFile();
QString settingsDatabaseFile();

// A copy of the main wine database in the installation's folder, for tests that change it.
QString copyOfMainDatabase(const QString& name);

// Rows of a query read with plain SQLite, every value as text ("" for Null).
using reports::testing::sqliteRows;
QString sqliteValue(const QString& file, const QString& sql);

// OLE automation days of a calendar date, as tblWines stores dates.
double oleDays(int year, int month, int day);

// pdftotext -layout of the file.
using reports::testing::pdfText;
// Every page as <build tests folder>/<baseName>-<n>.png, for a look; returns how many.
using reports::testing::savePagePictures;

} // namespace stovanic::testing

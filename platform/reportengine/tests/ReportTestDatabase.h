#pragma once

// A small cellar database for report tests: wines with countries, prices and notes, and the
// tasting notes of some of them.

#include <QString>
#include <QTemporaryDir>

namespace report::testing {

struct TestWine
{
    int id = 0;
    QString country;
    QString wine;
    double price = 0;
    QString notes;
};

class ReportTestDatabase
{
public:
    // Makes the database with `wines` and, for each wine id in `notesPerWine` order, that many
    // tasting notes ("Note <n> of wine <id>").
    explicit ReportTestDatabase(const QList<TestWine>& wines,
                                const QList<QPair<int, int>>& notesPerWine = {});

    QString path() const { return m_path; }
    QString connectionString() const;
    QString dataPath(const QString& name) const; // a test layout under tests/data

private:
    QTemporaryDir m_dir;
    QString m_path;
};

// Wines of three countries (2 French, 3 Italian, 1 Spanish), in country order.
QList<TestWine> threeCountries();

} // namespace report::testing

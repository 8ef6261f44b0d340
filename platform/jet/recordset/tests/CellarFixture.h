#pragma once

// A small cellar database for the recordset tests: tblWines with a counter key, a required
// and unique text label, Jet types of every kind the recordsets convert, and two indexes.

#include "jet/recordset/Recordset.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>
#include <memory>
#include <QStringList>
#include <QTemporaryDir>

namespace jet::test {

class CellarFixture : public ::testing::Test
{
protected:
    // The database is made once per test suite (making one takes a while: its password is
    // stretched) and copied for every test.
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;

    QString path() const { return m_path; }
    QString connectionString() const;
    // Opens tblWines table-direct, keyset, with the lock type and index given.
    void openWines(Recordset& wines, LockType lock = LockType::Optimistic,
                   const QString& index = {});
    // The labels from the current row to EOF (the recordset ends at EOF).
    static QStringList labelsToEnd(Recordset& wines);
    static QStringList allLabels(Recordset& wines);

    QTemporaryDir m_dir;
    QString m_path;
    Connection m_connection;

private:
    static std::unique_ptr<TestDatabase> s_template;
};

// The number of a jet::Error raised by `call`, or 0 when none was raised.
template <typename Call>
int errorNumber(Call&& call)
{
    try {
        call();
    } catch (const vb::Error& error) {
        return error.number();
    }
    return 0;
}

inline constexpr int noCurrentRecord = static_cast<int>(0x800A0BCDu); // 3021
inline constexpr int notSupported = static_cast<int>(0x800A0CB3u);    // 3251
inline constexpr int itemNotFound = static_cast<int>(0x800A0CC1u);    // 3265
inline constexpr int invalidArgument = static_cast<int>(0x800A0BB9u); // 3001
inline constexpr int notInContext = static_cast<int>(0x800A0C93u);    // 3219
inline constexpr int deletedRow = static_cast<int>(0x80040E23u);
inline constexpr int engineFailure = static_cast<int>(0x80004005u);

} // namespace jet::test

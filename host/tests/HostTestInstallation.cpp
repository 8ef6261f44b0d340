#include "HostTestInstallation.h"

#include "platform/shell/tests/QtTestApplication.h"
#include "sample/tests/UpdatedSampleInstallation.h"

#include <sqlite3.h>
#include <stdexcept>

QV_QT_TEST_APPLICATION();

namespace host::testing {

namespace {

constexpr int kWines = 60;

// The engine declares text columns with its own collation (Jet's order, without regard to
// case); a plain reader needs one of that name to read them.
int caseBlindCompare(void*, int lengthA, const void* a, int lengthB, const void* b)
{
    const QString left = QString::fromUtf8(static_cast<const char*>(a), lengthA);
    const QString right = QString::fromUtf8(static_cast<const char*>(b), lengthB);
    return left.compare(right, Qt::CaseInsensitive);
}

} // namespace

QString installationFolder()
{
    return sample::testing::updatedSampleInstallation(kWines);
}

HostFiles installationFiles()
{
    return HostFiles::inFolder(installationFolder());
}

QVariant sqliteValue(const QString& databaseFile, const QString& sql)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(databaseFile.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + databaseFile.toStdString());
    }
    sqlite3_create_collation(db, "JET", SQLITE_UTF8, nullptr, caseBlindCompare);
    sqlite3_stmt* statement = nullptr;
    QVariant value;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        switch (sqlite3_column_type(statement, 0)) {
        case SQLITE_INTEGER:
            value = static_cast<qlonglong>(sqlite3_column_int64(statement, 0));
            break;
        case SQLITE_FLOAT:
            value = sqlite3_column_double(statement, 0);
            break;
        case SQLITE_TEXT:
            value =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
            break;
        default:
            break;
        }
    } else if (statement == nullptr) {
        const std::string error = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error(error + " in " + sql.toStdString());
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return value;
}

void HostSessionTest::SetUp()
{
    m_session = std::make_unique<HostSession>(installationFiles());
}

void HostSessionTest::TearDown()
{
    m_session.reset();
}

vb::Variant HostSessionTest::scalar(jet::Connection& connection, const QString& sql)
{
    jet::ResultSet rows = connection.execute(sql);
    const vb::Variant value = rows.eof() ? vb::Variant() : rows.value(0);
    rows.close();
    return value;
}

} // namespace host::testing

#pragma once

// The host tests' installation: the sample installation at the current database versions,
// registered, made once for the test program; and a session of the host on it.

#include "host/HostSession.h"

#include <gtest/gtest.h>
#include <memory>
#include <QString>

namespace host::testing {

// The installation's folder, without a trailing separator.
QString installationFolder();
HostFiles installationFiles();

// A query's first value on a database file, read with plain SQLite (no Jet translation).
QVariant sqliteValue(const QString& databaseFile, const QString& sql);

class HostSessionTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    HostSession& session() { return *m_session; }
    jet::Connection& mainDatabase() { return m_session->mainDatabase(); }
    jet::Connection& settingsDatabase() { return m_session->settingsDatabase(); }
    // The first value of a Jet SQL query on a connection.
    static vb::Variant scalar(jet::Connection& connection, const QString& sql);

private:
    std::unique_ptr<HostSession> m_session;
};

} // namespace host::testing

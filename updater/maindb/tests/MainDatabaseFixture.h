#pragma once

// A main wine database at version 3 (the old schema with a few rows the tests name) beside a
// settings database, both open in a run state, and a scripted user that answers the drink
// window dialog.

#include "platform/shell/GTestScriptedUser.h"
#include "platform/shell/MsgBox.h"
#include "updater/RunState.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <memory>
#include <QTemporaryDir>

namespace updater::maindb::testing {

class MainDatabaseFixture : public ::testing::Test
{
protected:
    static constexpr std::int32_t uniqueId = 424242;

    void SetUp() override;
    void TearDown() override;

    jet::Connection& main() { return m_state.connection(DatabaseKind::Main); }
    void execute(const QString& sql) { main().execute(sql); }
    // The first field of the first row; Null when there is no row.
    vb::Variant value(const QString& sql);
    std::int16_t version();

    // Scripts the dialog's answers for `code` and its thank-you message.
    void answerDialog(std::uint8_t code);
    // Runs the chain from update 4; true when it ran to its end without error.
    bool runChain(std::uint8_t code = 1);
    // Brings the database to version 10 (the whole chain, then what update 11 adds taken
    // away again), for tests of update 11 alone.
    void prepareVersion10();

    // A wine with the old drinking window years (texts) and its vintage.
    void addWine(int wineId, const QString& vintage, const QString& from, const QString& best,
                 const QString& to, int winerySiteId = 1, int oldWineId = 0, int appellationId = 6);

    QTemporaryDir m_folder;
    QString m_mainPath;
    QString m_settingsPath;
    shell::GTestScriptedUser m_user;
    RunState m_state;
};

} // namespace updater::maindb::testing

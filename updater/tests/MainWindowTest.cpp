// The main window during a run: what it shows, and that it cannot be closed half way.

#include "common/ShowProgress.h"
#include "UpdateRunFixture.h"

#include <iostream>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace updater::testing {
namespace {

using MainWindow = UpdateRunFixture;

TEST_F(MainWindow, ClosingDuringTheRunIsRefusedAndTheRunFinishes)
{
    install(Versions{10, 18, 1, 4});
    bool stayedOpen = false;
    m_chains.add(DatabaseKind::Main, 10, doing([this, &stayedOpen](RunState& state) {
                     state.connection(DatabaseKind::Main)
                         .execute(QStringLiteral("UPDATE tblCellar SET Amount = 0 WHERE ID < 10"));
                     m_window->close();
                     stayedOpen = m_window->isVisible() && m_window->closeRefused();
                     state.connection(DatabaseKind::Main)
                         .execute(QStringLiteral("UPDATE tblCellar SET Amount = 0"));
                     DatabaseHelpers::SetDBVersion(1, 11);
                 }));
    expectMessage(texts::WillConvert);

    EXPECT_EQ(run(), RunOutcome::Updated);

    EXPECT_TRUE(stayedOpen);
    EXPECT_FALSE(m_windowVisibleAfterRun); // the run's end closes it
    EXPECT_EQ(installation().version(DatabaseKind::Main), 11);
    EXPECT_EQ(installation().count(DatabaseKind::Main, "Amount = 0"), 20);
}

TEST_F(MainWindow, ShowsStatusAndProgressLine)
{
    install(Versions{10, 18, 1, 4});
    QString status, step, button, title;
    bool buttonEnabled = true;
    QPixmap picture;
    m_chains.add(DatabaseKind::Main, 10, doing([&](RunState&) {
                     DatabaseHelpers::ShowProgress(0, QStringLiteral("Main Database Update 10"),
                                                   12);
                     DatabaseHelpers::ShowProgress(3, QString(), 0);
                     status = m_window->lblStatus().text();
                     step = m_window->lblStep().text();
                     button = m_window->cmdOK().text();
                     buttonEnabled = m_window->cmdOK().isEnabled();
                     title = m_window->windowTitle();
                     picture = m_window->grab();
                     DatabaseHelpers::SetDBVersion(1, 11);
                 }));
    expectMessage(texts::WillConvert);

    EXPECT_EQ(run(), RunOutcome::Updated);

    EXPECT_EQ(status, "Checking database versions...");
    EXPECT_EQ(step, "Main Database Update 10 step 3 of 12");
    EXPECT_EQ(button, "Close");
    EXPECT_FALSE(buttonEnabled); // only once the update has succeeded
    EXPECT_EQ(title, "Quorvex Database Update");
    ASSERT_FALSE(picture.isNull());
    const QString path = QStringLiteral(UPDATER_TEST_OUTPUT_DIR "/travone-main-window.png");
    ASSERT_TRUE(picture.save(path));
    std::cout << "main window during a run: " << path.toStdString() << std::endl;
}

TEST_F(MainWindow, WindowComesBackWhereItWasLeft)
{
    install(Versions{});
    {
        frmMain window;
        window.showAndPaint();
        window.move(123, 77);
        window.close();
    }
    frmMain again;
    again.showAndPaint();
    // Positions are kept in twips, so a pixel may be lost to rounding.
    EXPECT_NEAR(again.frameGeometry().x(), 123, 1);
    EXPECT_NEAR(again.frameGeometry().y(), 77, 1);
    again.close();
}

} // namespace
} // namespace updater::testing

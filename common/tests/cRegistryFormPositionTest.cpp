#include "common/cRegistry.h"

#include <gtest/gtest.h>
#include <QScreen>
#include <QWidget>

namespace {

const reg::Hkey HKCU = reg::HKEY_CURRENT_USER;

class FormPosition : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_form.setProperty("Tag", QStringLiteral("frmTest"));
        m_form.setGeometry(40, 30, 200, 100);
        QScreen* screen = m_form.screen();
        ASSERT_NE(screen, nullptr);
        m_area = screen->availableGeometry();
        m_twipsX = 1440.0 / screen->logicalDotsPerInchX();
        m_twipsY = 1440.0 / screen->logicalDotsPerInchY();
    }
    void TearDown() override { m_registry.DeleteKey(HKCU, key()); }

    QString key() const
    {
        return m_registry.GetRegistryKeyNameForApp() + "\\Form Positions\\frmTest";
    }
    std::int32_t stored(const char* name)
    {
        return m_registry.GetRegistryLong(HKCU, key(), name, -999);
    }
    void store(std::int32_t state, std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy)
    {
        ASSERT_TRUE(m_registry.PutRegistryLong(HKCU, key(), "WindowState", state));
        ASSERT_TRUE(m_registry.PutRegistryLong(HKCU, key(), "X", x));
        ASSERT_TRUE(m_registry.PutRegistryLong(HKCU, key(), "Y", y));
        ASSERT_TRUE(m_registry.PutRegistryLong(HKCU, key(), "cX", cx));
        ASSERT_TRUE(m_registry.PutRegistryLong(HKCU, key(), "cY", cy));
    }
    int pixelsX(std::int32_t twips) const { return qRound(twips / m_twipsX); }
    int pixelsY(std::int32_t twips) const { return qRound(twips / m_twipsY); }

    QWidget m_form;
    cRegistry m_registry;
    QRect m_area;
    double m_twipsX = 15;
    double m_twipsY = 15;
};

TEST_F(FormPosition, SavedInTwipsAndRestored)
{
    ASSERT_TRUE(m_registry.SaveFormPosition(m_form));
    EXPECT_EQ(stored("WindowState"), 0);
    EXPECT_EQ(stored("X"), qRound(40 * m_twipsX));
    EXPECT_EQ(stored("Y"), qRound(30 * m_twipsY));
    EXPECT_EQ(stored("cX"), qRound(200 * m_twipsX));
    EXPECT_EQ(stored("cY"), qRound(100 * m_twipsY));

    m_form.setGeometry(0, 0, 50, 50);
    ASSERT_TRUE(m_registry.LoadFormPosition(m_form));
    EXPECT_EQ(m_form.geometry(), QRect(40, 30, 200, 100));
}

TEST_F(FormPosition, ScreenAt96DpiHasFifteenTwipsPerPixel)
{
    if (m_form.screen()->logicalDotsPerInchX() != 96)
        GTEST_SKIP() << "screen is not at 96 dpi";
    ASSERT_TRUE(m_registry.SaveFormPosition(m_form));
    EXPECT_EQ(stored("X"), 600);
    EXPECT_EQ(stored("cX"), 3000);
}

TEST_F(FormPosition, RestoreIsClampedToTheScreen)
{
    const std::int32_t screenWidth = qRound(m_area.width() * m_twipsX);
    const std::int32_t screenHeight = qRound(m_area.height() * m_twipsY);

    // Wider and taller than the screen: the screen's size, at its top-left corner.
    store(0, 5000, -400, screenWidth * 3, screenHeight + 1000);
    ASSERT_TRUE(m_registry.LoadFormPosition(m_form));
    EXPECT_EQ(m_form.width(), m_area.width());
    EXPECT_EQ(m_form.height(), m_area.height());
    EXPECT_EQ(m_form.x(), m_area.x());
    EXPECT_EQ(m_form.y(), m_area.y());

    // Off the right and bottom edges: pulled back so the whole window shows.
    store(0, screenWidth + 10000, INT32_MAX, 1500, 1500);
    ASSERT_TRUE(m_registry.LoadFormPosition(m_form));
    EXPECT_EQ(m_form.size(), QSize(pixelsX(1500), pixelsY(1500)));
    EXPECT_EQ(m_form.x(), m_area.x() + pixelsX(screenWidth - 1500));
    EXPECT_EQ(m_form.y(), m_area.y() + pixelsY(screenHeight - 1500));

    // Degenerate sizes grow to the 32-twip minimum.
    store(0, 0, 0, -100, 0);
    ASSERT_TRUE(m_registry.LoadFormPosition(m_form));
    EXPECT_EQ(m_form.size(), QSize(pixelsX(32), pixelsY(32)));
}

TEST_F(FormPosition, FixedBorderWindowIsMovedButNotSized)
{
    m_form.setProperty("BorderStyle", 3);
    store(0, qRound(10 * m_twipsX), qRound(20 * m_twipsY), qRound(400 * m_twipsX),
          qRound(300 * m_twipsY));
    ASSERT_TRUE(m_registry.LoadFormPosition(m_form));
    EXPECT_EQ(m_form.geometry(), QRect(10, 20, 200, 100));

    m_form.setProperty("BorderStyle", 5); // sizable tool window
    ASSERT_TRUE(m_registry.LoadFormPosition(m_form));
    EXPECT_EQ(m_form.geometry(), QRect(10, 20, 400, 300));
}

TEST_F(FormPosition, MinimisedWindowSavesNothingAndStoredMinimisedRestoresNormal)
{
    m_form.setWindowState(Qt::WindowMinimized);
    EXPECT_TRUE(m_registry.SaveFormPosition(m_form));
    EXPECT_EQ(stored("X"), -999);

    store(1, 0, 0, 1500, 1500);
    ASSERT_TRUE(m_registry.LoadFormPosition(m_form));
    EXPECT_FALSE(m_form.isMinimized());
    EXPECT_FALSE(m_form.isMaximized());
    EXPECT_EQ(m_form.geometry(), QRect(40, 30, 200, 100)); // the restore ended there
}

TEST_F(FormPosition, MaximisedStateIsRestored)
{
    store(2, 0, 0, 1500, 1500);
    ASSERT_TRUE(m_registry.LoadFormPosition(m_form));
    EXPECT_TRUE(m_form.isMaximized());
    store(0, 0, 0, 1500, 1500);
    ASSERT_TRUE(m_registry.LoadFormPosition(m_form));
    EXPECT_FALSE(m_form.isMaximized());
}

TEST_F(FormPosition, WindowWithoutTagIsNeitherSavedNorRestored)
{
    store(0, 0, 0, 1500, 1500);
    QWidget untagged;
    untagged.setGeometry(40, 30, 200, 100);
    EXPECT_FALSE(m_registry.SaveFormPosition(untagged));
    EXPECT_FALSE(m_registry.LoadFormPosition(untagged));
    EXPECT_EQ(untagged.geometry(), QRect(40, 30, 200, 100));
    untagged.setProperty("Tag", QString());
    EXPECT_FALSE(m_registry.SaveFormPosition(untagged));
    // Nothing was written under an empty name.
    std::vector<QString> sections;
    int count = 0;
    m_registry.setClassKey(HKCU);
    m_registry.setSectionKey(m_registry.GetRegistryKeyNameForApp() + "\\Form Positions");
    ASSERT_TRUE(m_registry.EnumerateSections(sections, count));
    EXPECT_EQ(count, 1);
}

TEST_F(FormPosition, MissingValuesKeepTheWindowWhereItIs)
{
    ASSERT_TRUE(m_registry.PutRegistryLong(HKCU, key(), "X", qRound(60 * m_twipsX)));
    ASSERT_TRUE(m_registry.LoadFormPosition(m_form));
    EXPECT_EQ(m_form.geometry(), QRect(60, 30, 200, 100));
}

} // namespace

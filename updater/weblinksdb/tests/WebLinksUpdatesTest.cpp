// The weblinks chain from version 1 to 4: owners and master numbers, modification and download
// dates, duplicate addresses and the two unique indexes.

#include "common/Registry_Management.h"
#include "platform/shell/tests/QtTestApplication.h"
#include "SettingsTestInstallation.h"
#include "updater/UpdateChains.h"
#include "updater/weblinksdb/WebLinksDatabaseUpdates.h"
#include "vb/OleDate.h"

#include <gtest/gtest.h>

QV_QT_TEST_APPLICATION();

namespace updater::testing {
namespace {

constexpr int userNumber = 4711;

class WebLinksUpdates : public ::testing::Test
{
protected:
    void SetUp() override
    {
        Registry_Management::SaveProductSetting(
            reg::HKEY_CURRENT_USER, QStringLiteral("Application"), QStringLiteral("UniqueID"),
            QString::number(userNumber));
    }

    // The chain as the driver starts it for a database at version 1.
    void runChain()
    {
        UpdateChains chains;
        addWebLinksDatabaseChain(chains);
        (*chains.firstUpdate(DatabaseKind::Weblinks, 1))(install.state());
    }

    void setLastDownload(const QString& text)
    {
        install.execute(QStringLiteral("UPDATE tblPreferences SET LastWebLinksDownload = %1")
                            .arg(text.isNull() ? QStringLiteral("Null") : "'" + text + "'"));
    }

    void addLink(int id, int masterId, const QString& url)
    {
        install.executeInWebLinks(
            QStringLiteral("INSERT INTO WebLinks (ID, MasterID, SearchURL) VALUES (%1, %2, %3)")
                .arg(id)
                .arg(masterId)
                .arg(url.isNull() ? QStringLiteral("Null") : "'" + url + "'"));
    }

    QList<int> ids()
    {
        QList<int> result;
        for (const vb::Variant& id :
             install.webLinksColumn(QStringLiteral("SELECT ID FROM WebLinks ORDER BY ID")))
            result.append(id.toLong());
        return result;
    }

    double lastDownload()
    {
        return install.webLinksValue(QStringLiteral("SELECT LastWebLinksDownload FROM tblDBVer"))
            .toDate();
    }

    SettingsTestInstallation install;
};

TEST(WebLinksChain, RegistersTheUpdateAfterEachVersionFrom1To3)
{
    UpdateChains chains;
    addWebLinksDatabaseChain(chains);
    for (std::int16_t version = 1; version <= 3; ++version)
        EXPECT_NE(chains.firstUpdate(DatabaseKind::Weblinks, version), nullptr) << version;
    EXPECT_EQ(chains.firstUpdate(DatabaseKind::Weblinks, 0), nullptr);
    EXPECT_EQ(chains.firstUpdate(DatabaseKind::Weblinks, 4), nullptr);
}

TEST_F(WebLinksUpdates, SampleDatabaseReachesVersion4InOneRun)
{
    install.addWebLinks();
    runChain();
    ASSERT_FALSE(install.state().hasError()) << install.state().errorText.toStdString();
    EXPECT_EQ(install.webLinksVersion(), 4);

    // The two addresses entered twice lose their later copies (IDs 15 and 17).
    EXPECT_EQ(ids().size(), 16);
    EXPECT_FALSE(ids().contains(15));
    EXPECT_FALSE(ids().contains(17));
    // Every link changed "today" as far as the host knows: 13 October 2001.
    EXPECT_EQ(install
                  .webLinksValue(QStringLiteral("SELECT Count(*) FROM WebLinks WHERE "
                                                "LastModif = #10/13/2001#"))
                  .toLong(),
              16);
    // The sample's settings keep "2003-06-12 21:40:17".
    EXPECT_DOUBLE_EQ(lastDownload(),
                     vb::OleDate::fromDateTime(QDate(2003, 6, 12), QTime(21, 40, 17)));

    const auto table = install.schemaIn(QStringLiteral("weblinks.dat"), QStringLiteral("WebLinks"));
    ASSERT_TRUE(table);
    EXPECT_EQ(findColumn(table, QStringLiteral("UserID"))->type, jet::JetType::Long);
    EXPECT_EQ(findColumn(table, QStringLiteral("LastModif"))->type, jet::JetType::DateTime);
    const jet::IndexSchema* master = table->index(QStringLiteral("MasterID"));
    ASSERT_NE(master, nullptr);
    EXPECT_TRUE(master->unique);
    EXPECT_TRUE(master->ignoreNulls);
    ASSERT_EQ(master->columns.size(), 2);
    EXPECT_EQ(master->columns.at(0).name, QStringLiteral("UserID"));
    EXPECT_EQ(master->columns.at(1).name, QStringLiteral("MasterID"));
    const jet::IndexSchema* url = table->index(QStringLiteral("URL"));
    ASSERT_NE(url, nullptr);
    EXPECT_TRUE(url->unique);
    ASSERT_EQ(url->columns.size(), 1);
    EXPECT_EQ(url->columns.at(0).name, QStringLiteral("SearchURL"));
}

TEST_F(WebLinksUpdates, OwnLinksTakeTheUserAndTheirOwnNumber)
{
    install.addWebLinks(false);
    addLink(57, 0, QStringLiteral("http://own.example/"));
    addLink(58, 12, QStringLiteral("http://master.example/"));
    runChain();
    ASSERT_FALSE(install.state().hasError()) << install.state().errorText.toStdString();
    EXPECT_EQ(install.webLinksValue(QStringLiteral("SELECT MasterID FROM WebLinks WHERE ID = 57"))
                  .toLong(),
              57);
    EXPECT_EQ(
        install.webLinksValue(QStringLiteral("SELECT UserID FROM WebLinks WHERE ID = 57")).toLong(),
        userNumber);
    EXPECT_EQ(install.webLinksValue(QStringLiteral("SELECT MasterID FROM WebLinks WHERE ID = 58"))
                  .toLong(),
              12);
    EXPECT_EQ(
        install.webLinksValue(QStringLiteral("SELECT UserID FROM WebLinks WHERE ID = 58")).toLong(),
        1);
}

TEST_F(WebLinksUpdates, SameMasterNumberTwiceFailsTheUniqueIndexAtVersion1)
{
    install.addWebLinks(false);
    addLink(1, 12, QStringLiteral("http://a.example/"));
    addLink(2, 12, QStringLiteral("http://b.example/"));
    runChain();
    EXPECT_TRUE(install.state().hasError());
    EXPECT_EQ(install.webLinksVersion(), 1);
}

TEST_F(WebLinksUpdates, KeepsOnlyTheFirstLinkOfEachAddress)
{
    install.addWebLinks(false);
    addLink(1, 1, QStringLiteral("http://same.example/"));
    addLink(2, 2, QStringLiteral("http://same.example/"));
    addLink(3, 3, QStringLiteral("http://other.example/"));
    addLink(4, 4, QStringLiteral("http://same.example/"));
    runChain();
    ASSERT_FALSE(install.state().hasError()) << install.state().errorText.toStdString();
    EXPECT_EQ(ids(), (QList<int>{1, 3}));
}

TEST_F(WebLinksUpdates, AddressesDifferingInCaseBothStayAndBlockTheIndex)
{
    // Different addresses to the walk, the same to the index, which fails: version 3.
    install.addWebLinks(false);
    addLink(1, 1, QStringLiteral("http://wine.example/"));
    addLink(2, 2, QStringLiteral("http://Wine.example/"));
    runChain();
    EXPECT_TRUE(install.state().hasError());
    EXPECT_EQ(install.webLinksVersion(), 3);
    EXPECT_EQ(ids(), (QList<int>{1, 2}));
}

TEST_F(WebLinksUpdates, LinkWithoutAddressFailsUpdate4)
{
    install.addWebLinks(false);
    addLink(1, 1, QStringLiteral("http://a.example/"));
    addLink(2, 2, QString());
    runChain();
    EXPECT_TRUE(install.state().hasError());
    EXPECT_TRUE(install.state().errorText.contains(QStringLiteral("ID 2")))
        << install.state().errorText.toStdString();
    EXPECT_EQ(install.webLinksVersion(), 3);
}

TEST_F(WebLinksUpdates, LastDownloadDateAloneGivesMidnightAndWithTimeThatTime)
{
    install.addWebLinks(false);
    setLastDownload(QStringLiteral("2003-09-25"));
    runChain();
    ASSERT_FALSE(install.state().hasError()) << install.state().errorText.toStdString();
    EXPECT_DOUBLE_EQ(lastDownload(), vb::OleDate::fromDate(QDate(2003, 9, 25)));

    install.executeInWebLinks(QStringLiteral("UPDATE tblDBVer SET Version = 2"));
    setLastDownload(QStringLiteral("2003-09-25 14:05:00"));
    WebLinksDatabaseUpdate3(install.state());
    ASSERT_FALSE(install.state().hasError()) << install.state().errorText.toStdString();
    EXPECT_DOUBLE_EQ(lastDownload(), vb::OleDate::fromDateTime(QDate(2003, 9, 25), QTime(14, 5)));
    EXPECT_EQ(install.webLinksVersion(), 4);
}

TEST_F(WebLinksUpdates, MissingOrMalformedLastDownloadFailsUpdate3)
{
    for (const QString& text :
         {QString(), QStringLiteral("25/09/2003"), QStringLiteral("2003-02-30")}) {
        SCOPED_TRACE(text.toStdString());
        SettingsTestInstallation fresh;
        fresh.addWebLinks(false);
        fresh.execute(QStringLiteral("UPDATE tblPreferences SET LastWebLinksDownload = %1")
                          .arg(text.isNull() ? QStringLiteral("Null") : "'" + text + "'"));
        WebLinksDatabaseUpdate2(fresh.state());
        EXPECT_TRUE(fresh.state().hasError());
        EXPECT_EQ(fresh.webLinksVersion(), 2);
    }
}

} // namespace
} // namespace updater::testing

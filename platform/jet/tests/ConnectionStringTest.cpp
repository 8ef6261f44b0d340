#include "jet/ConnectionString.h"

#include "jet/Error.h"

#include <gtest/gtest.h>

namespace jet {
namespace {

TEST(ConnectionStringTest, ReadsBothFormsOfTheSystem)
{
    const auto updater = ConnectionString::parse(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/home/ann/My Cellar/csample.qvd;"
        "Jet OLEDB:Database Password=vutmarelko");
    EXPECT_TRUE(updater.isJetProvider());
    EXPECT_EQ(updater.dataSource(), "/home/ann/My Cellar/csample.qvd");
    EXPECT_EQ(updater.databasePassword(), "vutmarelko");

    const auto others = ConnectionString::parse(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/home/ann/My Cellar/csample.qvd;"
        "Persist Security Info=False;Jet OLEDB:Database Password=vutmarelko");
    EXPECT_TRUE(others.isJetProvider());
    EXPECT_EQ(others.dataSource(), "/home/ann/My Cellar/csample.qvd");
    EXPECT_EQ(others.databasePassword(), "vutmarelko");
    EXPECT_EQ(others.value("persist security info"), "False");
}

TEST(ConnectionStringTest, KeywordsInAnyOrderAndCase)
{
    const auto text =
        ConnectionString::parse("jet oledb:database password=pw ; DATA SOURCE = /tmp/a b.qvd ;"
                                "provider=MICROSOFT.JET.OLEDB.4.0;");
    EXPECT_TRUE(text.isJetProvider());
    EXPECT_EQ(text.dataSource(), "/tmp/a b.qvd");
    EXPECT_EQ(text.databasePassword(), "pw");
    EXPECT_FALSE(text.has("User ID"));
    EXPECT_TRUE(text.has("Provider"));
}

TEST(ConnectionStringTest, QuotedValuesKeepSemicolonsAndQuotes)
{
    const auto text = ConnectionString::parse(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=\"/tmp/odd;name.qvd\";"
        "Jet OLEDB:Database Password='it''s'");
    EXPECT_EQ(text.dataSource(), "/tmp/odd;name.qvd");
    EXPECT_EQ(text.databasePassword(), "it's");
    // The text form reads back to the same values.
    const auto again = ConnectionString::parse(text.toString());
    EXPECT_EQ(again.dataSource(), "/tmp/odd;name.qvd");
    EXPECT_EQ(again.databasePassword(), "it's");
}

TEST(ConnectionStringTest, EmptyPasswordAndRepeatedKeywords)
{
    const auto text = ConnectionString::parse(
        "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/a.qvd;Data Source=/b.qvd;"
        "Jet OLEDB:Database Password=");
    EXPECT_EQ(text.dataSource(), "/b.qvd");
    EXPECT_TRUE(text.has(ConnectionString::passwordKey));
    EXPECT_EQ(text.databasePassword(), "");
}

TEST(ConnectionStringTest, OtherProvidersAreNotOurs)
{
    EXPECT_FALSE(ConnectionString::parse("Provider=SQLOLEDB;Data Source=x").isJetProvider());
    EXPECT_FALSE(
        ConnectionString::parse("Provider=Microsoft.Jet.OLEDB.3.51;Data Source=x").isJetProvider());
    EXPECT_FALSE(ConnectionString::parse("Data Source=x").isJetProvider());
}

TEST(ConnectionStringTest, MalformedTextIsRefused)
{
    for (const char* text :
         {"Provider=Microsoft.Jet.OLEDB.4.0;garbage", "Data Source=\"/tmp/unterminated.qvd",
          "=value", "Data Source=\"/a.qvd\"trailing"}) {
        SCOPED_TRACE(text);
        try {
            ConnectionString::parse(QString::fromUtf8(text));
            FAIL() << "accepted";
        } catch (const Error& error) {
            EXPECT_EQ(error.number(), ErrorNumber::AdoInvalidArgument);
            EXPECT_EQ(error.source(), "ADODB.Connection");
        }
    }
}

} // namespace
} // namespace jet

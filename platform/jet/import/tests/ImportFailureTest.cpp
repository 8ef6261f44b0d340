// An import that cannot be completed stops with a message naming the file (and the table),
// never writes into the Jet file, and leaves no new file behind.

#include "ImportedDatabase.h"
#include "MdbTools.h"
#include "platform/jet/import/DatabaseImport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace jet::importer::test {
namespace {

QByteArray digestOf(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

class ImportFailures : public testing::Test
{
protected:
    void SetUp() override
    {
        if (accessDataDir().isEmpty()) {
            GTEST_SKIP() << "no shared/testdata/access beside the source tree";
        }
        m_target = m_dir.filePath(u"new.qvd"_s);
    }
    QString copyOf(const QString& name)
    {
        const QString copy = m_dir.filePath(name);
        QFile::copy(accessFile(name), copy);
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        return copy;
    }
    // The message of the import's error; empty when it did not fail.
    QString failure(const QString& jetFile, const QString& password = {})
    {
        try {
            importJetDatabase(jetFile, m_target, ImportOptions{password});
        } catch (const vb::Error& error) {
            return error.description();
        }
        return {};
    }
    void expectNothingWritten()
    {
        const QStringList left = QDir(m_dir.path()).entryList({u"new.qvd*"_s}, QDir::Files);
        EXPECT_TRUE(left.isEmpty()) << left.join(u", "_s).toStdString();
    }

    QTemporaryDir m_dir;
    QString m_target;
};

TEST_F(ImportFailures, WrongPasswordNamesTheFile)
{
    const QString file = accessFile(u"password.mdb"_s);
    for (const QString& password : {QString(), u"UCANACCESS"_s, u"wrong"_s}) {
        const QString message = failure(file, password);
        EXPECT_TRUE(message.contains(u"password.mdb"_s)) << message.toStdString();
        EXPECT_TRUE(message.contains(u"password"_s, Qt::CaseInsensitive));
        expectNothingWritten();
    }
    EXPECT_TRUE(failure(file, u"ucanaccess"_s).isEmpty());
}

TEST_F(ImportFailures, NeitherJetNorOursIsSaidSo)
{
    QFile text(m_dir.filePath(u"english.lan"_s));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("[Language]\nd_Page=Page\n");
    text.close();
    EXPECT_TRUE(failure(text.fileName()).contains(u"neither a Jet (Access) database nor"_s));
    expectNothingWritten();
}

TEST_F(ImportFailures, AnExistingTargetIsNeverReplaced)
{
    QFile existing(m_target);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("keep me");
    existing.close();
    EXPECT_TRUE(failure(accessFile(u"nwind.mdb"_s)).contains(u"already exists"_s));
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("keep me"));
}

// Data pages of the largest table that no longer show their rows: the rows that cannot be
// read are found missing, and the message names the table.
TEST_F(ImportFailures, DamagedDataPagesStopTheImportNamingTheTable)
{
    constexpr qsizetype pageSize = 2048; // Jet 3
    constexpr qsizetype rowCountOffset = 8;
    const QString copy = copyOf(u"nwind.mdb"_s);
    QFile file(copy);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    const QByteArray all = file.readAll();
    // Data pages by the table they belong to, with the rows each table keeps in them (pages of
    // memo and OLE values belong to their table too, but hold few rows).
    std::map<QByteArray, QList<qsizetype>> dataPagesByTable;
    std::map<QByteArray, int> rowsByTable;
    for (qsizetype at = 0; at + pageSize <= all.size(); at += pageSize) {
        if (all[at] == 1) {
            const QByteArray table = all.mid(at + 4, 4);
            dataPagesByTable[table].append(at);
            rowsByTable[table] += static_cast<unsigned char>(all[at + rowCountOffset]) |
                                  static_cast<unsigned char>(all[at + rowCountOffset + 1]) << 8;
        }
    }
    const auto mostRows =
        std::max_element(rowsByTable.begin(), rowsByTable.end(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    ASSERT_NE(mostRows, rowsByTable.end());
    const auto largest = dataPagesByTable.find(mostRows->first);
    ASSERT_NE(largest, dataPagesByTable.end());
    for (qsizetype i = 0; i < largest->second.size(); i += 2) {
        file.seek(largest->second[i] + rowCountOffset);
        file.write(QByteArray(2, '\0'));
    }
    file.close();
    const QByteArray damaged = digestOf(copy);
    const QString message = failure(copy);
    EXPECT_TRUE(message.contains(u"nwind.mdb, table "_s)) << message.toStdString();
    EXPECT_TRUE(message.contains(u"rows could be read"_s)) << message.toStdString();
    expectNothingWritten();
    EXPECT_EQ(digestOf(copy), damaged); // read, never written
}

TEST_F(ImportFailures, ATruncatedFileStopsTheImport)
{
    const QString copy = copyOf(u"GabrielLogue_Northwind.mdb"_s);
    QFile::resize(copy, 40 * 4096);
    const QString message = failure(copy);
    EXPECT_FALSE(message.isEmpty());
    EXPECT_TRUE(message.contains(u"GabrielLogue_Northwind.mdb"_s)) << message.toStdString();
    expectNothingWritten();
}

TEST_F(ImportFailures, TheJetFileIsOnlyRead)
{
    const QString copy = copyOf(u"nwind.mdb"_s);
    const QByteArray before = digestOf(copy);
    const QDateTime modified = QFileInfo(copy).lastModified();
    EXPECT_TRUE(failure(copy).isEmpty());
    EXPECT_EQ(digestOf(copy), before);
    EXPECT_EQ(QFileInfo(copy).lastModified(), modified);
}

} // namespace
} // namespace jet::importer::test

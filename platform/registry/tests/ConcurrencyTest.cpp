// Two programs writing the same store at the same time lose nothing.

#include "StoreFixture.h"

#include <atomic>
#include <memory>
#include <QProcess>
#include <QSet>
#include <thread>

TEST_F(StoreTest, TwoWriterProcessesAtOnceLoseNothing)
{
    constexpr int kCount = 1000;
    // Both writers start on a store that does not exist yet, so creating it races too.
    QProcess first;
    QProcess second;
    first.start(QStringLiteral(QV_TEST_WRITER), {QStringLiteral("first"), QString::number(kCount)});
    second.start(QStringLiteral(QV_TEST_WRITER),
                 {QStringLiteral("second"), QString::number(kCount)});
    ASSERT_TRUE(first.waitForFinished(60000));
    ASSERT_TRUE(second.waitForFinished(60000));
    EXPECT_EQ(first.exitCode(), 0) << first.readAllStandardError().toStdString();
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();

    reg::Hkey key = 0;
    ASSERT_EQ(
        reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Concurrency"), reg::KEY_READ, &key),
        0);
    reg::KeyInfo info;
    ASSERT_EQ(reg::queryInfoKey(key, &info), 0);
    EXPECT_EQ(info.values, std::uint32_t(2 * kCount));
    QSet<QString> seen;
    QString name;
    reg::ValueType type = 0;
    QByteArray data;
    for (std::uint32_t i = 0; reg::enumValue(key, i, &name, 64, &type, &data) == 0; ++i) {
        seen.insert(name);
        const QString digits = name.mid(name.startsWith(QLatin1String("first")) ? 5 : 6);
        const std::uint32_t number = digits.toUInt();
        EXPECT_EQ(data, QByteArray(reinterpret_cast<const char*>(&number), 4))
            << name.toStdString();
    }
    for (int i = 0; i < kCount; ++i) {
        EXPECT_TRUE(seen.contains(QStringLiteral("first%1").arg(i))) << i;
        EXPECT_TRUE(seen.contains(QStringLiteral("second%1").arg(i))) << i;
    }
}

TEST_F(StoreTest, ProgramsThatCreateTheStoreAtTheSameMomentAllSucceed)
{
    // The store is made by whichever program writes first; several starting together race on
    // its creation, its journal mode and the mark that tells it from another program's file.
    constexpr int kRounds = 8;
    constexpr int kPrograms = 4;
    for (int round = 0; round < kRounds; ++round) {
        usePath(folderPath(QStringLiteral("round%1.db").arg(round)));
        std::vector<std::unique_ptr<QProcess>> programs;
        for (int p = 0; p < kPrograms; ++p) {
            programs.push_back(std::make_unique<QProcess>());
            programs.back()->start(QStringLiteral(QV_TEST_WRITER),
                                   {QStringLiteral("p%1_").arg(p), QStringLiteral("2")});
        }
        for (const auto& program : programs) {
            ASSERT_TRUE(program->waitForFinished(60000));
            EXPECT_EQ(program->exitCode(), 0)
                << "round " << round << ": " << program->readAllStandardError().toStdString();
        }
        reg::Hkey key = 0;
        ASSERT_EQ(reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Concurrency"),
                                 reg::KEY_READ, &key),
                  0);
        reg::KeyInfo info;
        ASSERT_EQ(reg::queryInfoKey(key, &info), 0);
        EXPECT_EQ(info.values, std::uint32_t(2 * kPrograms)) << "round " << round;
        reg::closeKey(key);
    }
}

TEST_F(StoreTest, AReaderSeesWhatAnotherProcessWroteAfterItOpenedTheStore)
{
    const reg::Hkey key = create(QStringLiteral("Concurrency"));
    ASSERT_EQ(setText(key, QStringLiteral("mine"), QStringLiteral("1")), 0);
    QProcess writer;
    writer.start(QStringLiteral(QV_TEST_WRITER), {QStringLiteral("theirs"), QStringLiteral("3")});
    ASSERT_TRUE(writer.waitForFinished(60000));
    ASSERT_EQ(writer.exitCode(), 0);
    reg::ValueType type = 0;
    QByteArray data;
    EXPECT_EQ(read(key, QStringLiteral("theirs2"), &type, &data), 0);
    EXPECT_EQ(type, reg::REG_DWORD);
}

TEST_F(StoreTest, ThreadsOfOneProgramShareTheStoreSafely)
{
    constexpr int kThreads = 4;
    constexpr int kCount = 100;
    create(QStringLiteral("Threads"));
    std::vector<std::thread> threads;
    std::atomic<int> failures = 0;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &failures] {
            reg::Hkey key = 0;
            if (reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Threads"),
                               reg::KEY_ALL_ACCESS, &key) != 0) {
                ++failures;
                return;
            }
            for (int i = 0; i < kCount; ++i) {
                const QString name = QStringLiteral("t%1_%2").arg(t).arg(i);
                QByteArray data;
                reg::ValueType type = 0;
                if (setText(key, name, name) != 0 || read(key, name, &type, &data) != 0 ||
                    data != name.toUtf8().append('\0'))
                    ++failures;
            }
            reg::closeKey(key);
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(failures, 0);
    reg::Hkey key = 0;
    ASSERT_EQ(
        reg::openKeyEx(reg::HKEY_CURRENT_USER, QStringLiteral("Threads"), reg::KEY_READ, &key), 0);
    reg::KeyInfo info;
    ASSERT_EQ(reg::queryInfoKey(key, &info), 0);
    EXPECT_EQ(info.values, std::uint32_t(kThreads * kCount));
}

// Replays the fuzzing corpus through the same step the fuzzer runs: nothing may crash, hang
// or leak (the sanitizer build checks the last two).

#include "FuzzOneInput.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

namespace {

TEST(FuzzCorpus, ReplaysCleanly)
{
    const QByteArray source = qgetenv("QV_SOURCE_DIR");
    const QDir dir(QString::fromLocal8Bit(source) +
                   QStringLiteral("/platform/jet/sql/fuzz/corpus"));
    if (source.isEmpty() || !dir.exists())
        GTEST_SKIP() << "no corpus at " << dir.absolutePath().toStdString();
    const QStringList files = dir.entryList(QDir::Files, QDir::Name);
    ASSERT_FALSE(files.isEmpty());
    int replayed = 0;
    for (const QString& name : files) {
        if (replayed == 2000)
            break; // bounded: the corpus may grow, the test run must stay short
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray data = file.read(8192);
        jet::sql::fuzzOneInput(reinterpret_cast<const std::uint8_t*>(data.constData()),
                               std::size_t(data.size()));
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}

} // namespace

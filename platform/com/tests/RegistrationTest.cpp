// Registering and unregistering libraries for the user, through the functions and through
// comreg.

#include "ComTestFolders.h"
#include "platform/com/ComErrors.h"
#include "platform/com/ServerRegistration.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace com::testing {
namespace {

using RegistrationTest = ClassRegistrationsTest;

TEST_F(RegistrationTest, WritesTheLibraryForEveryProgIdOfItsMetadata)
{
    const QString first = libraryIn(firstFolder());
    EXPECT_EQ(registerServer(first), (QStringList{u"QvTest.Greeter"_s, u"QvTest.Refuser"_s}));
    EXPECT_EQ(registeredServer(u"QvTest.Greeter"_s), first);
    EXPECT_EQ(registeredServer(u"qvtest.refuser"_s), first);
}

TEST_F(RegistrationTest, UnregisteringLeavesAProgIdTakenOverByAnotherLibrary)
{
    const QString first = libraryIn(firstFolder());
    const QString second = libraryIn(secondFolder());
    registerServer(first);
    registerServer(second);
    EXPECT_EQ(unregisterServer(first), QStringList{u"QvTest.Refuser"_s});
    EXPECT_EQ(registeredServer(u"QvTest.Greeter"_s), second);
    EXPECT_EQ(registeredServer(u"QvTest.Refuser"_s), QString());
}

TEST_F(RegistrationTest, AFileThatIsNoComponentLibraryIsRefusedByName)
{
    QTemporaryDir dir;
    const QString text = dir.filePath(u"notes.so"_s);
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("plain text");
    file.close();
    try {
        registerServer(text);
        FAIL() << "registered";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), kRegistrationFailed);
        EXPECT_TRUE(error.description().contains(text));
    }
}

int comreg(const QStringList& arguments, QString* output = nullptr)
{
    QProcess process;
    process.start(QStringLiteral(QV_COMREG), arguments);
    process.waitForFinished(30000);
    if (output)
        *output =
            QString::fromUtf8(process.readAllStandardOutput() + process.readAllStandardError());
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

TEST_F(RegistrationTest, ComregRegistersAndUnregistersAndSaysWhatItDid)
{
    const QString second = libraryIn(secondFolder());
    QString output;
    EXPECT_EQ(comreg({second}, &output), 0);
    EXPECT_TRUE(output.contains(u"Registered QvTest.Greeter"_s)) << output.toStdString();
    EXPECT_EQ(registeredServer(u"QvTest.Greeter"_s), second);

    EXPECT_EQ(comreg({u"/u"_s, second}, &output), 0);
    EXPECT_TRUE(output.contains(u"Unregistered QvTest.Greeter"_s));
    EXPECT_EQ(registeredServer(u"QvTest.Greeter"_s), QString());

    EXPECT_EQ(comreg({u"/nonexistent/libx.so"_s}, &output), 1);
    EXPECT_TRUE(output.contains(u"libx.so"_s));
    EXPECT_EQ(comreg({}), 64);
}

} // namespace
} // namespace com::testing

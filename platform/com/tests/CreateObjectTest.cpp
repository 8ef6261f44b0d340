// Creating objects by ProgID: the process's own classes, the user's registrations and the
// program folder, in that order, and the three ways creation fails.

#include "platform/com/CreateObject.h"

#include "ComTestFolders.h"
#include "Greeting.h"
#include "platform/com/ClassObjects.h"
#include "platform/com/ProgramFolder.h"
#include "platform/com/ServerRegistration.h"

#include <QFile>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace com::testing {
namespace {

QString greetingOf(const QString& progId)
{
    std::unique_ptr<QObject> object = createObject(progId);
    return interfaceOf<Greeting>(*object, progId).greet();
}

vb::Error creationError(const QString& progId)
{
    try {
        createObject(progId);
    } catch (const vb::Error& error) {
        return error;
    }
    ADD_FAILURE() << "created " << progId.toStdString();
    return vb::Error(0);
}

void writeServerKey(const QString& progId, const QString& file)
{
    reg::Hkey key = 0;
    ASSERT_EQ(reg::createKey(reg::HKEY_CURRENT_USER, serverKeyPath(progId), &key), 0);
    const QByteArray data = file.toUtf8() + '\0';
    reg::setValueEx(key, QString(), reg::REG_SZ,
                    reinterpret_cast<const std::uint8_t*>(data.constData()), data.size());
    reg::closeKey(key);
}

using CreateObjectTest = ClassRegistrationsTest;

TEST_F(CreateObjectTest, FindsTheClassInTheProgramFolderWhateverTheCaseOfItsProgId)
{
    const ScopedProgramFolder folder(firstFolder());
    EXPECT_EQ(greetingOf(u"QvTest.Greeter"_s), u"hello from first"_s);
    EXPECT_EQ(greetingOf(u"qvtest.GREETER"_s), u"hello from first"_s);
}

TEST_F(CreateObjectTest, TheUsersRegistrationComesBeforeTheProgramFolder)
{
    const ScopedProgramFolder folder(firstFolder());
    registerServer(libraryIn(secondFolder()));
    EXPECT_EQ(greetingOf(u"QvTest.Greeter"_s), u"hello from second"_s);
    unregisterServer(libraryIn(secondFolder()));
    EXPECT_EQ(greetingOf(u"QvTest.Greeter"_s), u"hello from first"_s);
}

TEST_F(CreateObjectTest, TheProgramsOwnClassComesFirstWhileItIsRegistered)
{
    const ScopedProgramFolder folder(firstFolder());
    registerServer(libraryIn(secondFolder()));
    {
        const ClassObjectRegistration own(u"QVTEST.Greeter"_s, [] {
            auto object = std::make_unique<QObject>();
            object->setObjectName(u"own"_s);
            return object;
        });
        EXPECT_EQ(createObject(u"QvTest.Greeter"_s)->objectName(), u"own"_s);
    }
    EXPECT_EQ(greetingOf(u"QvTest.Greeter"_s), u"hello from second"_s);
}

TEST_F(CreateObjectTest, AClassNoLibraryServesNamesTheProgIdAndWhereItWasLookedFor)
{
    const ScopedProgramFolder folder(firstFolder());
    const vb::Error error = creationError(u"QuorvexNowhere.Rpt"_s);
    EXPECT_EQ(error.number(), kCannotCreateObject);
    EXPECT_TRUE(error.description().contains(u"QuorvexNowhere.Rpt"_s));
    EXPECT_TRUE(error.description().contains(firstFolder()));
}

TEST_F(CreateObjectTest, ALibraryThatDoesNotLoadNamesTheFileAndTheLoadersReason)
{
    QTemporaryDir dir;
    const QString broken = dir.filePath(u"libbroken.so"_s);
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a shared object");
    file.close();
    writeServerKey(u"QvTest.Broken"_s, broken);

    const vb::Error error = creationError(u"QvTest.Broken"_s);
    EXPECT_EQ(error.number(), kCannotCreateObject);
    EXPECT_TRUE(error.description().contains(u"QvTest.Broken"_s));
    EXPECT_TRUE(error.description().contains(broken));
    EXPECT_TRUE(error.description().contains(u"could not be loaded ("_s));
    EXPECT_FALSE(error.description().contains(u"()"_s));

    writeServerKey(u"QvTest.Gone"_s, dir.filePath(u"libgone.so"_s));
    EXPECT_TRUE(creationError(u"QvTest.Gone"_s).description().contains(u"libgone.so"_s));
}

TEST_F(CreateObjectTest, ALibraryThatDoesNotOfferTheClassNamesTheFile)
{
    const QString first = libraryIn(firstFolder());
    writeServerKey(u"QvTest.Stranger"_s, first);
    const vb::Error notListed = creationError(u"QvTest.Stranger"_s);
    EXPECT_EQ(notListed.number(), kCannotCreateObject);
    EXPECT_TRUE(notListed.description().contains(u"QvTest.Stranger"_s));
    EXPECT_TRUE(notListed.description().contains(first));
    EXPECT_TRUE(notListed.description().contains(u"does not offer"_s));

    // Listed in its metadata, but the library creates nothing for it.
    const ScopedProgramFolder folder(firstFolder());
    const vb::Error refused = creationError(u"QvTest.Refuser"_s);
    EXPECT_TRUE(refused.description().contains(u"does not offer"_s));
    EXPECT_TRUE(refused.description().contains(first));
}

TEST_F(CreateObjectTest, AnObjectWithoutTheInterfaceAskedForIsError430)
{
    const ClassObjectRegistration own(u"QvTest.Plain"_s,
                                      [] { return std::make_unique<QObject>(); });
    std::unique_ptr<QObject> object = createObject(u"QvTest.Plain"_s);
    try {
        interfaceOf<Greeting>(*object, u"QvTest.Plain"_s);
        FAIL() << "no error";
    } catch (const vb::Error& error) {
        EXPECT_EQ(error.number(), kInterfaceNotSupported);
        EXPECT_TRUE(error.description().contains(u"QvTest.Plain"_s));
    }
}

} // namespace
} // namespace com::testing

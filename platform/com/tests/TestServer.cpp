// A component library for the tests, built twice: as the "first" library (QvTest.Greeter and
// QvTest.Refuser, which it lists but will not create) and as the "second" (QvTest.Greeter
// only). Its objects say which library made them.

#include "Greeting.h"
#include "platform/com/ClassFactory.h"

using namespace Qt::StringLiterals;

namespace {

class Greeter : public QObject, public com::testing::Greeting
{
    Q_OBJECT
    Q_INTERFACES(com::testing::Greeting)

public:
    QString greet() const override { return u"hello from " QV_TEST_SERVER_NAME ""_s; }
};

} // namespace

class TestServer : public QObject, public com::ClassFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QV_COM_CLASS_FACTORY_IID FILE QV_TEST_SERVER_JSON)
    Q_INTERFACES(com::ClassFactory)

public:
    QStringList progIds() const override { return {u"QvTest.Greeter"_s, u"QvTest.Refuser"_s}; }
    std::unique_ptr<QObject> create(const QString& progId) override
    {
        if (progId.compare(u"QvTest.Greeter"_s, Qt::CaseInsensitive) == 0)
            return std::make_unique<Greeter>();
        return nullptr;
    }
};

#include "TestServer.moc"

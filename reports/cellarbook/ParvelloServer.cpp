// Parvello as a component library: it serves QuorvexParvello.Rpt.
#include "platform/com/ClassFactory.h"
#include "reports/cellarbook/Rpt.h"
#include "reports/ProgIds.h"

namespace parvello {

class ParvelloServer : public QObject, public com::ClassFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QV_COM_CLASS_FACTORY_IID FILE "parvello.json")
    Q_INTERFACES(com::ClassFactory)

public:
    QStringList progIds() const override { return {reports::progid::CellarBook}; }
    std::unique_ptr<QObject> create(const QString& progId) override
    {
        if (progId.compare(reports::progid::CellarBook, Qt::CaseInsensitive) == 0)
            return std::make_unique<Rpt>();
        return nullptr;
    }
};

} // namespace parvello

#include "ParvelloServer.moc"

// Stovanic as a component library: it serves QuorvexStovanic.Rpt.
#include "platform/com/ClassFactory.h"
#include "reports/locations/Rpt.h"
#include "reports/ProgIds.h"

namespace stovanic {

class StovanicServer : public QObject, public com::ClassFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QV_COM_CLASS_FACTORY_IID FILE "stovanic.json")
    Q_INTERFACES(com::ClassFactory)

public:
    QStringList progIds() const override { return {reports::progid::Locations}; }
    std::unique_ptr<QObject> create(const QString& progId) override
    {
        if (progId.compare(reports::progid::Locations, Qt::CaseInsensitive) == 0)
            return std::make_unique<Rpt>();
        return nullptr;
    }
};

} // namespace stovanic

#include "StovanicServer.moc"

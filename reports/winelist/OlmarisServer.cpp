// Olmaris as a component library: it serves QuorvexOlmaris.Rpt.
#include "platform/com/ClassFactory.h"
#include "reports/ProgIds.h"
#include "reports/winelist/Rpt.h"

namespace olmaris {

class OlmarisServer : public QObject, public com::ClassFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QV_COM_CLASS_FACTORY_IID FILE "olmaris.json")
    Q_INTERFACES(com::ClassFactory)

public:
    QStringList progIds() const override { return {reports::progid::WineList}; }
    std::unique_ptr<QObject> create(const QString& progId) override
    {
        if (progId.compare(reports::progid::WineList, Qt::CaseInsensitive) == 0)
            return std::make_unique<Rpt>();
        return nullptr;
    }
};

} // namespace olmaris

#include "OlmarisServer.moc"

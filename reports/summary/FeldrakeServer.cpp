// Feldrake as a component library: it serves QuorvexRptSummary.Rpt.
#include "platform/com/ClassFactory.h"
#include "reports/ProgIds.h"
#include "reports/summary/Rpt.h"

namespace feldrake {

class FeldrakeServer : public QObject, public com::ClassFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QV_COM_CLASS_FACTORY_IID FILE "feldrake.json")
    Q_INTERFACES(com::ClassFactory)

public:
    QStringList progIds() const override { return {reports::progid::CellarSummary}; }
    std::unique_ptr<QObject> create(const QString& progId) override
    {
        if (progId.compare(reports::progid::CellarSummary, Qt::CaseInsensitive) == 0)
            return std::make_unique<Rpt>();
        return nullptr;
    }
};

} // namespace feldrake

#include "FeldrakeServer.moc"

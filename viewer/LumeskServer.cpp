// Lumesk as a component library: it serves QuorvexReportViewer.clsReportViewer.
#include "platform/com/ClassFactory.h"
#include "reports/ProgIds.h"
#include "viewer/clsReportViewer.h"

namespace lumesk {

class LumeskServer : public QObject, public com::ClassFactory
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QV_COM_CLASS_FACTORY_IID FILE "lumesk.json")
    Q_INTERFACES(com::ClassFactory)

public:
    QStringList progIds() const override { return {reports::progid::ReportViewer}; }
    std::unique_ptr<QObject> create(const QString& progId) override
    {
        if (progId.compare(reports::progid::ReportViewer, Qt::CaseInsensitive) == 0)
            return std::make_unique<clsReportViewer>();
        return nullptr;
    }
};

} // namespace lumesk

#include "LumeskServer.moc"

// The preview and viewer tests' wine list.
#include "platform/reportengine/tests/PreviewTestReport.h"

using namespace Qt::StringLiterals;

namespace report::testing {

QList<TestWine> previewCellar(int count)
{
    const QStringList countries{u"Australia"_s, u"France"_s, u"Italy"_s, u"Portugal"_s, u"Spain"_s};
    const QStringList producers{u"Domaine Leflaive"_s, u"Bodega Muga"_s, u"Quinta do Noval"_s,
                                u"Tenuta San Guido"_s, u"Penfolds"_s,    u"Château Palmer"_s,
                                u"Vietti"_s,           u"Niepoort"_s,    u"Henschke"_s,
                                u"López de Heredia"_s};
    const QStringList wines{u"Grand Cru"_s,          u"Reserva"_s,       u"Vintage Port"_s,
                            u"Sassicaia"_s,          u"Bin 389"_s,       u"Alter Ego"_s,
                            u"Barolo Castiglione"_s, u"Redoma Branco"_s, u"Keyneton Euphonium"_s,
                            u"Viña Tondonia"_s};
    QList<TestWine> cellar;
    for (int i = 1; i <= count; ++i) {
        const int country = (i - 1) * countries.size() / count;
        const QString name =
            u"%1 %2 %3"_s.arg(producers[i % producers.size()], wines[(i * 7) % wines.size()])
                .arg(1990 + (i * 13) % 33);
        cellar.append({i, countries[country], name, 12.5 + (i * 37) % 400, {}});
    }
    return cellar;
}

PreviewTestReport::PreviewTestReport(const ReportTestDatabase& database)
{
    loadLayout(database.dataPath(u"grouped_list.xml"_s));
    dcDetail().setConnectionString(database.connectionString());
    dcDetail().setSource(u"SELECT Country, Wine, Price FROM tblWines ORDER BY Country, WineID"_s);
    Section& detail = section(u"Detail"_s);
    detail.setOnFormat([this, &detail] {
        detail.setBackStyle(m_row % 2 ? BackStyle::Opaque : BackStyle::Transparent);
        detail.setBackColor(qRgb(224, 224, 224));
        ++m_row;
    });
}

} // namespace report::testing

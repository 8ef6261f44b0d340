// The common tools' members.

#include "host/HostCommonTools.h"

#include "host/ExchangeRate.h"
#include "host/LocationLine.h"
#include "host/WineTitle.h"
#include "platform/jet/Connection.h"
#include "platform/shell/WaitCursor.h"
#include "platform/vb/OleDate.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTextEdit>
#include <QWidget>

namespace host {

namespace {

constexpr qint32 kTwipsPerInch = 1440;
constexpr qint32 kDefaultTwipsPerPixel = 15;

} // namespace

HostCommonTools::HostCommonTools(jet::Connection& mainDatabase, jet::Connection& settingsDatabase,
                                 QString appPath, SelectionSource currentSelection, QObject* parent)
    : QObject(parent), m_main(mainDatabase), m_settings(settingsDatabase),
      m_appPath(std::move(appPath)), m_currentSelection(std::move(currentSelection))
{
    setObjectName(QStringLiteral("commonTools"));
}

void HostCommonTools::ShowHourglassPointer()
{
    shell::setMousePointer(shell::vbHourglass);
}

void HostCommonTools::ShowDefaultPointer()
{
    shell::setMousePointer(shell::vbDefault);
}

void HostCommonTools::FillReportSourceTable()
{
    fillReportSource(m_main, m_currentSelection());
}

void HostCommonTools::CenterWindow(QWidget& window)
{
    QRect area;
    if (const QWidget* parent = window.parentWidget())
        area = parent->window()->frameGeometry();
    else if (const QScreen* screen = window.screen())
        area = screen->availableGeometry();
    if (area.isValid())
        window.move(area.center() - window.rect().center());
}

void HostCommonTools::SelectTextFieldContent(QWidget& textBox)
{
    if (auto* line = qobject_cast<QLineEdit*>(&textBox))
        line->selectAll();
    else if (auto* text = qobject_cast<QTextEdit*>(&textBox))
        text->selectAll();
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(&textBox))
        plain->selectAll();
}

QString HostCommonTools::f_CorrectExchangeRate(double& amount)
{
    amount *= displayCurrencyFactor(m_main, m_settings);
    return sqlNumber(amount);
}

qint32 HostCommonTools::CT_TwipsX() const
{
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    if (!screen || screen->logicalDotsPerInchX() <= 0)
        return kDefaultTwipsPerPixel;
    return qRound(kTwipsPerInch / screen->logicalDotsPerInchX());
}

void HostCommonTools::ExecuteSQLCommand(const QString& sql, jet::Connection& database)
{
    database.execute(sql);
}

QString HostCommonTools::f_BuildWineTitle(const reports::WineRecord& wine)
{
    return buildWineTitle(m_main, wine);
}

void HostCommonTools::ParseLocationLine(const QString& line, QString& location, qint16& quantity)
{
    const LocationLine parsed = parseLocationLine(line);
    location = parsed.location;
    quantity = parsed.quantity;
}

vb::Variant HostCommonTools::f_GetGMTDateTime()
{
    return vb::Variant::fromDate(vb::OleDate::fromDateTime(QDateTime::currentDateTimeUtc()));
}

vb::Variant HostCommonTools::f_ReturnNullStringOrValue(const vb::Variant& value)
{
    if (value.isNull() || (value.isString() && value.toString().isEmpty()))
        return vb::Variant::null();
    return value;
}

} // namespace host

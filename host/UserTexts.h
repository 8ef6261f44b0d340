#pragma once

// The host's object whose text 32 is the user's name (tblPreferences.UserName of the settings
// database), shown by the locations report.

#include "reports/NumberedTexts.h"

#include <QObject>

namespace jet {
class Connection;
}

namespace host {

class UserTexts : public QObject, public reports::NumberedTexts
{
    Q_OBJECT
    Q_INTERFACES(reports::NumberedTexts)

public:
    static constexpr qint16 kUserName = 32;

    explicit UserTexts(jet::Connection& settingsDatabase, QObject* parent = nullptr);

    // Raises vb::Error 9 naming the number for any other number.
    QString Item(qint16 index) const override;

private:
    jet::Connection& m_settings;
};

} // namespace host

#pragma once

// What the cellar book's two sub-reports share: a column header that shows only when the wine
// has rows (as its parent's PrintTNHeader or PrintTxHeader allows), a note column that takes
// the parent's print width left over by the other columns, every second row shaded, and every
// cell of a row as tall as its note.

#include "platform/reportengine/model/Report.h"

#include <QString>
#include <QStringList>

namespace reports {
class CommonTools;
}

namespace parvello {

class rptCellarBookWine;

class CellarBookSubReport : public report::Report
{
    Q_OBJECT

public:
    // The shading of odd rows, as a VB colour (red, green and blue 224).
    static constexpr int kOddRowColour = 14737632;

    // The rows printed since the column header; odd ones are shaded.
    int rowCounter() const noexcept { return m_rowCounter; }

protected:
    // The parent's flag saying whether the next header may show.
    struct HeaderFlag
    {
        bool (rptCellarBookWine::*get)() const noexcept;
        void (rptCellarBookWine::*set)(bool) noexcept;
    };

    // `noteCell` takes the width the `fixedCells` leave and sets every cell's height;
    // `noteCaption` is its column header.
    CellarBookSubReport(const QString& layout, reports::CommonTools& commonTools, QString noteCell,
                        QString noteCaption, QStringList fixedCells, HeaderFlag headerFlag,
                        QObject* parent);

    void reportStart() override;

private:
    rptCellarBookWine& parentBook() const;
    void GroupHeader1_Format();
    void Detail_BeforePrint();

    reports::CommonTools& m_commonTools;
    QString m_noteCell;
    QString m_noteCaption;
    QStringList m_fixedCells;
    HeaderFlag m_headerFlag;
    // Wider than the 16-bit counter it stands for; only its parity matters.
    int m_rowCounter = 0;
};

} // namespace parvello

#pragma once

// frmUpdateToVersion3_4: asks the user, once, how the old FROM, BEST and TO years of the wines
// were meant, and gives main database update 10 the drink window code (1..8) that selects the
// conversion rule. Controls keep their names as object names; the option groups are button
// groups "optFrom", "optBest", "optTo" whose buttons are named after their index ("optBest(2)")
// and carry it as their group id.

#include <cstdint>
#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QRadioButton;

class frmUpdateToVersion3_4 : public QDialog
{
    Q_OBJECT

public:
    explicit frmUpdateToVersion3_4(QWidget* parent = nullptr);

    // Shows the window modally; once it is closed, thanks the user and returns the code of the
    // answers.
    std::uint8_t ShowForm();

    // The code of the answers the groups hold now.
    std::uint8_t drinkWindowCode() const;
    // The code of three answers (group indexes); 0 for a combination the option rules prevent.
    static std::uint8_t drinkWindowCode(int from, int best, int to);

private:
    QGroupBox* addGroup(const QString& frameName, const QString& caption, const QString& labelName,
                        const QString& question, const QString& groupName,
                        const QStringList& options, QButtonGroup*& group);
    void optFrom_Click(int index);
    void optBest_Click(int index);
    // The first selected index; `none` when no option is selected.
    static int selectedIndex(const QButtonGroup& group, int none);

    QButtonGroup* m_optFrom = nullptr;
    QButtonGroup* m_optBest = nullptr;
    QButtonGroup* m_optTo = nullptr;
};

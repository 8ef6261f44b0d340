#include "platform/shell/ScriptedUser.h"
#include "platform/shell/Shell.h"

#include <gtest/gtest.h>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace shell {
namespace {

// A small dialog in the shape of the export-option dialogs: a text box and OK/Cancel; OK refuses
// an empty text with a message box, as such dialogs do.
class NameDialog : public QDialog
{
public:
    NameDialog()
    {
        setObjectName("frmName");
        setWindowTitle("Name");
        auto* layout = new QVBoxLayout(this);
        m_text = new QLineEdit(this);
        m_text->setObjectName("txtName");
        auto* ok = new QPushButton("OK", this);
        ok->setObjectName("cmdOK");
        auto* cancel = new QPushButton("Cancel", this);
        cancel->setObjectName("cmdCancel");
        layout->addWidget(m_text);
        layout->addWidget(ok);
        layout->addWidget(cancel);
        connect(ok, &QPushButton::clicked, this, [this] {
            if (m_text->text().isEmpty())
                msgBox("Please enter a name.", vbExclamation, windowTitle());
            else
                accept();
        });
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    }
    QString name() const { return m_text->text(); }

private:
    QLineEdit* m_text;
};

class QuietUser : public ScriptedUser
{
public:
    QuietUser()
    {
        setFailureHandler([](const QString&) {});
    }
};

void click(QWidget& window, const char* name)
{
    window.findChild<QPushButton*>(name)->click();
}

TEST(ScriptedModal, ScriptDrivesTheDialogsRealWidgets)
{
    QuietUser user;
    user.expectModal("frmName",
                     [](QWidget& window) {
                         EXPECT_TRUE(window.isVisible());
                         click(window, "cmdOK"); // empty: refused with a message, dialog stays open
                         EXPECT_TRUE(window.isVisible());
                         window.findChild<QLineEdit*>("txtName")->setText("Cellar 1");
                         click(window, "cmdOK");
                     })
        .expectMessage(PromptMatcher::exactly("Please enter a name."), vbOK);

    NameDialog dialog;
    EXPECT_EQ(execModal(dialog), QDialog::Accepted);
    EXPECT_EQ(dialog.name(), QStringLiteral("Cellar 1"));
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(user.modals().size(), 1u);
    EXPECT_EQ(user.modals()[0].objectName, QStringLiteral("frmName"));
    EXPECT_EQ(user.modals()[0].windowTitle, QStringLiteral("Name"));
    EXPECT_EQ(user.modals()[0].result, QDialog::Accepted);
    ASSERT_EQ(user.messages().size(), 1u);
    EXPECT_EQ(user.messages()[0].title, QStringLiteral("Name"));
    EXPECT_TRUE(user.unexpected().isEmpty());
}

TEST(ScriptedModal, CancelAndDoneCodesComeBack)
{
    QuietUser user;
    user.expectModal("frmName", [](QWidget& window) { click(window, "cmdCancel"); })
        .expectModal("", [](QWidget& window) { static_cast<QDialog&>(window).done(7); });
    NameDialog first;
    EXPECT_EQ(execModal(first), QDialog::Rejected);
    NameDialog second;
    EXPECT_EQ(execModal(second), 7);
    EXPECT_TRUE(user.unexpected().isEmpty());
}

TEST(ScriptedModal, UnscriptedDialogIsCancelledWithoutBeingShown)
{
    QuietUser user;
    NameDialog dialog;
    bool shown = false;
    QObject::connect(&dialog, &QDialog::finished, [&shown] { shown = true; });
    EXPECT_EQ(execModal(dialog), QDialog::Rejected);
    EXPECT_FALSE(shown);
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(user.unexpected().size(), 1);
    EXPECT_TRUE(user.unexpected()[0].contains("frmName"));
}

TEST(ScriptedModal, DialogLeftOpenByItsScriptIsClosedAndReported)
{
    QuietUser user;
    user.expectModal("frmName", [](QWidget&) {});
    NameDialog dialog;
    EXPECT_EQ(execModal(dialog), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_EQ(user.unexpected().size(), 1);
    EXPECT_TRUE(user.unexpected()[0].contains("still open"));
}

TEST(ScriptedModal, WrongWindowDoesNotConsumeTheScript)
{
    QuietUser user;
    user.expectModal("frmOther", [](QWidget& window) { window.close(); });
    NameDialog dialog;
    EXPECT_EQ(execModal(dialog), QDialog::Rejected);
    EXPECT_EQ(user.unexpected().size(), 1);
    EXPECT_EQ(user.unused().size(), 1);
}

TEST(ScriptedModal, PlainWindowShownModallyReturnsWhenClosed)
{
    QuietUser user;
    QWidget window;
    window.setObjectName("frmReportViewer");
    bool sawVisible = false;
    user.expectModal("frmReportViewer", [&sawVisible](QWidget& w) {
        sawVisible = w.isVisible();
        w.close();
    });
    showModal(window);
    EXPECT_TRUE(sawVisible);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(user.unexpected().isEmpty());

    user.expectModal("frmReportViewer", [](QWidget&) {});
    showModal(window);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(user.unexpected().size(), 1);
}

} // namespace
} // namespace shell

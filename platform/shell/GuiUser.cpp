#include "GuiUser.h"

#include "MessageBoxWidget.h"
#include "MsgBox.h"
#include "platform/shell/DialogFilter.h"

#include <cstdio>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>

namespace shell {

namespace {

// While the user is asked something the pointer must not show the hourglass of the work that
// asked; the work's cursor comes back afterwards.
class ArrowWhileAsking
{
public:
    ArrowWhileAsking() : m_active(QGuiApplication::overrideCursor() != nullptr)
    {
        if (m_active)
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileAsking()
    {
        if (m_active)
            QGuiApplication::restoreOverrideCursor();
    }
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

private:
    bool m_active;
};

// Ends a local event loop when the watched window is hidden (closed windows are hidden too).
class HideWatcher : public QObject
{
public:
    explicit HideWatcher(QEventLoop& loop) : m_loop(loop) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide)
            m_loop.quit();
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop& m_loop;
};

void noteHeadless(const QString& what)
{
    const QByteArray text =
        QStringLiteral("quorvex: no one can answer on this display: %1\n").arg(what).toLocal8Bit();
    std::fputs(text.constData(), stderr);
    std::fflush(stderr);
}

QString fallbackClipboard;

} // namespace

bool GuiUser::canAsk()
{
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr)
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

int GuiUser::msgBox(const QString& prompt, int style, const QString& title)
{
    if (!canAsk()) {
        const int answer = msgBoxDefaultResult(style);
        noteHeadless(QStringLiteral("message \"%1\" (%2), answered %3")
                         .arg(prompt, title, msgBoxResultName(answer)));
        return answer;
    }
    const ArrowWhileAsking arrow;
    const auto box = makeMessageBox(prompt, style, title, QApplication::activeWindow());
    box->exec();
    const int result = messageBoxResult(box->clickedButton());
    if (result != 0)
        return result;
    const int escape = msgBoxEscapeResult(style);
    return escape != 0 ? escape : msgBoxDefaultResult(style);
}

int GuiUser::execModal(QDialog& dialog)
{
    if (!canAsk()) {
        noteHeadless(QStringLiteral("dialog \"%1\", cancelled").arg(dialog.objectName()));
        return QDialog::Rejected;
    }
    const ArrowWhileAsking arrow;
    return dialog.exec();
}

void GuiUser::showModal(QWidget& window)
{
    if (!canAsk()) {
        noteHeadless(QStringLiteral("window \"%1\", not shown").arg(window.objectName()));
        return;
    }
    const ArrowWhileAsking arrow;
    QEventLoop loop;
    HideWatcher watcher(loop);
    QPointer<QWidget> guarded(&window);
    QObject::connect(&window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window.installEventFilter(&watcher);
    window.setWindowModality(Qt::ApplicationModal);
    window.show();
    if (window.isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (guarded)
        guarded->removeEventFilter(&watcher);
}

bool GuiUser::startProcess(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

void GuiUser::setClipboardText(const QString& text)
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
        QGuiApplication::clipboard()->setText(text);
    else
        fallbackClipboard = text;
}

QString GuiUser::clipboardText()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
        return QGuiApplication::clipboard()->text();
    return fallbackClipboard;
}

QString GuiUser::fileDialog(const FileDialogRequest& request)
{
    if (!canAsk()) {
        noteHeadless(QStringLiteral("file dialog \"%1\", cancelled").arg(request.caption));
        return QString();
    }
    const ArrowWhileAsking arrow;
    switch (request.kind) {
    case FileDialogRequest::Kind::Open:
        return QFileDialog::getOpenFileName(request.parent, request.caption, request.directory,
                                            qtDialogFilter(request.filter));
    case FileDialogRequest::Kind::Save:
        return QFileDialog::getSaveFileName(request.parent, request.caption, request.directory,
                                            qtDialogFilter(request.filter));
    case FileDialogRequest::Kind::Directory:
        return QFileDialog::getExistingDirectory(request.parent, request.caption,
                                                 request.directory);
    }
    return QString();
}

} // namespace shell

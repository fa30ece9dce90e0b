#include "platform/QtUi.h"

#include "platform/FileSystem.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>

#include <cstdio>

namespace platform {

namespace {

QString& applicationTitleValue()
{
    static QString value;
    return value;
}

QString titleOrDefault(const QString& title)
{
    if (!title.isEmpty())
        return title;
    return applicationTitle();
}

QMessageBox::Icon iconOf(int buttons)
{
    switch (buttons & 0x70) {
    case vbmsg::vbCritical: return QMessageBox::Critical;
    case vbmsg::vbQuestion: return QMessageBox::Question;
    case vbmsg::vbExclamation: return QMessageBox::Warning;
    case vbmsg::vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

struct ButtonSet {
    QMessageBox::StandardButton buttons[3];
    int results[3];
    int count;
};

ButtonSet buttonSetOf(int buttons)
{
    using namespace vbmsg;
    using B = QMessageBox;
    switch (buttons & 7) {
    case vbOKCancel: return {{B::Ok, B::Cancel, B::NoButton}, {vbOK, vbCancel, 0}, 2};
    case vbAbortRetryIgnore: return {{B::Abort, B::Retry, B::Ignore}, {vbAbort, vbRetry, vbIgnore}, 3};
    case vbYesNoCancel: return {{B::Yes, B::No, B::Cancel}, {vbYes, vbNo, vbCancel}, 3};
    case vbYesNo: return {{B::Yes, B::No, B::NoButton}, {vbYes, vbNo, 0}, 2};
    case vbRetryCancel: return {{B::Retry, B::Cancel, B::NoButton}, {vbRetry, vbCancel, 0}, 2};
    default: return {{B::Ok, B::NoButton, B::NoButton}, {vbOK, 0, 0}, 1};
    }
}

// "Countdown (*.MVL)|*.MVL|All Files (*.*)|*.*|" -> "Countdown (*.MVL)", "All Files (*.*)".
// Qt reads the patterns from the parentheses of each description, so a description without
// them gets its pattern appended.
QStringList qtFiltersOf(const QString& vbFilter)
{
    const QStringList parts = vbFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        if (parts[i].contains(QLatin1Char('(')))
            filters << parts[i];
        else
            filters << parts[i] + QLatin1String(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

// A message box stands above every window of the program (the full-screen alarm and screen saver
// stay on top), takes the keys, and shows the ordinary pointer whatever pointer the program had
// set or hidden.
int runAboveEveryWindow(QMessageBox& box)
{
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const pointerLayers::Scoped ordinaryPointer(Qt::ArrowCursor);
    box.show();
    box.raise();
    box.activateWindow();
    return box.exec();
}

} // namespace

void setApplicationTitle(const QString& title)
{
    applicationTitleValue() = title;
}

QString applicationTitle()
{
    if (!applicationTitleValue().isEmpty())
        return applicationTitleValue();
    const QString display = QGuiApplication::applicationDisplayName();
    return display.isEmpty() ? QCoreApplication::applicationName() : display;
}

QString messageBoxLogLine(const QString& prompt, int, const QString& title)
{
    QString text = prompt;
    text.replace(QLatin1String("\r\n"), QLatin1String(" | "));
    text.replace(QLatin1Char('\r'), QLatin1String(" | "));
    text.replace(QLatin1Char('\n'), QLatin1String(" | "));
    return titleOrDefault(title) + QLatin1String(": ") + text;
}

int QtUi::msgBox(const QString& prompt, int buttons, const QString& title)
{
    std::fprintf(stderr, "%s\n", messageBoxLogLine(prompt, buttons, title).toLocal8Bit().constData());
    std::fflush(stderr);
    const ButtonSet set = buttonSetOf(buttons);
    QMessageBox box(iconOf(buttons), titleOrDefault(title), prompt);
    for (int i = 0; i < set.count; ++i)
        box.addButton(set.buttons[i]);
    const int defaultIndex = (buttons & vbmsg::vbDefaultButton3) ? 2 : (buttons & vbmsg::vbDefaultButton2) ? 1 : 0;
    if (defaultIndex < set.count)
        box.setDefaultButton(set.buttons[defaultIndex]);
    const auto chosen = static_cast<QMessageBox::StandardButton>(runAboveEveryWindow(box));
    for (int i = 0; i < set.count; ++i) {
        if (set.buttons[i] == chosen)
            return set.results[i];
    }
    // Closed without a button: the cancel answer when there is one, else the first.
    for (int i = 0; i < set.count; ++i) {
        if (set.results[i] == vbmsg::vbCancel)
            return vbmsg::vbCancel;
    }
    return set.results[0];
}

QString QtUi::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    bool accepted = false;
    const QString text =
        QInputDialog::getText(nullptr, titleOrDefault(title), prompt, QLineEdit::Normal, defaultText, &accepted);
    return accepted ? text : QString();
}

std::optional<QString> QtUi::openFileDialog(const OpenFileRequest& request)
{
    QFileDialog dialog(nullptr, request.title, fs::resolve(request.initialFolder));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QStringList filters = qtFiltersOf(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    // A pattern as the file name only filters the list; a real name is preselected.
    if (!request.fileName.contains(QLatin1Char('*')) && !request.fileName.contains(QLatin1Char('?')))
        dialog.selectFile(request.fileName);
    // The user picks with the ordinary pointer, whatever busy pointer the caller had set.
    const int result = [&] {
        const pointerLayers::Scoped ordinaryPointer(Qt::ArrowCursor);
        return dialog.exec();
    }();
    if (result != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const QString chosen = dialog.selectedFiles().constFirst();
    if (const QString whyNot = fs::whyNativePathCannotBeTaken(chosen); !whyNot.isEmpty()) {
        msgBox(whyNot, vbmsg::vbExclamation, {});
        return std::nullopt;
    }
    return fs::toInternal(chosen);
}

void QtUi::setMousePointer(int pointer)
{
    if (pointer == pointer_)
        return;
    pointer_ = pointer;
    if (pointer == vbcursor::vbDefault) {
        pointerLayers::remove(pointerLayer_);
        pointerLayer_ = 0;
        return;
    }
    const Qt::CursorShape shape = pointer == vbcursor::vbHourglass ? Qt::WaitCursor : Qt::ArrowCursor;
    if (pointerLayer_)
        pointerLayers::change(pointerLayer_, shape);
    else
        pointerLayer_ = pointerLayers::add(shape);
}

} // namespace platform

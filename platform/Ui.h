#pragma once

#include <QString>

#include <optional>

namespace platform {

// MsgBox button, icon and result codes, with VB's values.
namespace vbmsg {
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbAbortRetryIgnore = 2;
constexpr int vbYesNoCancel = 3;
constexpr int vbYesNo = 4;
constexpr int vbRetryCancel = 5;
constexpr int vbCritical = 16;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
constexpr int vbDefaultButton2 = 256;
constexpr int vbDefaultButton3 = 512;

constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;
constexpr int vbYes = 6;
constexpr int vbNo = 7;
} // namespace vbmsg

// Screen.MousePointer values.
namespace vbcursor {
constexpr int vbDefault = 0;
constexpr int vbHourglass = 11;
} // namespace vbcursor

// What an open-file dialog is given. The filter is in VB's form: "description|patterns|..." pairs
// separated by "|", patterns separated by ";"; filterIndex counts from 1. Folder and file name
// are internal paths.
struct OpenFileRequest {
    QString title;
    QString filter;
    QString initialFolder;
    QString fileName;
    int filterIndex = 1;
};

// Message box, input box, open-file dialog and the screen-wide mouse pointer.
class Ui {
public:
    virtual ~Ui() = default;
    // buttons = button set + icon + default button, as VB adds them; returns a vbmsg result.
    // An empty title means the application's title.
    virtual int msgBox(const QString& prompt, int buttons = vbmsg::vbOKOnly, const QString& title = {}) = 0;
    // The text entered, or an empty text when the user cancels.
    virtual QString inputBox(const QString& prompt, const QString& title = {}, const QString& defaultText = {}) = 0;
    // The chosen file as an internal path; nullopt when the user cancels.
    virtual std::optional<QString> openFileDialog(const OpenFileRequest& request) = 0;
    virtual void setMousePointer(int pointer) = 0;
    virtual int mousePointer() const = 0;
};

// The title of message and input boxes given none of their own. Empty (the default) means the
// application's name.
void setApplicationTitle(const QString& title);
QString applicationTitle();

// The one line a message box writes to standard error: "<title>: <prompt>" with line breaks
// shown as " | ".
QString messageBoxLogLine(const QString& prompt, int buttons, const QString& title);

} // namespace platform

#pragma once

#include "foundation/ProgramTexts.h"

#include <QPointer>
#include <QString>

#include <cstdint>
#include <functional>

class frmCountdownScreenSaver;
class frmPreview;

// The screen saver's start-up and the values its windows share.
namespace modVantrelnScreenSaver {

// The viewer's program folder as the viewer stored it. Before the viewer has ever run, the
// program folder the viewer would settle from this program's own folder.
inline QString AppPath;
// The countdown package to show.
inline QString CountdownPath;
// The window the preview is drawn into; 0 outside a preview run.
inline int32_t PreviewParent = 0;

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};
// Full screen: the desktop in pixels; preview: the client area of PreviewParent. Only right and
// bottom are used, as width and height.
inline Rect ScreenRect;

inline QPointer<frmCountdownScreenSaver> ScreenSaverWindow;
inline QPointer<frmPreview> PreviewWindow;

// Settings written by the viewer.
inline const QString kMakerSection = ProgramTexts::kSettingsSection;

extern const QString kDemoMessage;
extern const QString kCannotLocateMessage;
extern const QString kConfigureMessage;

// The demo package of the program folder: AppPath & "/Templates/Demo" & ".MVL".
QString DemoPackage();

// The switch of a command line: the first two characters of the line without its leading and
// trailing blanks, lower-cased.
QString SwitchOf(const QString& commandLine);
// The value of the longest tail of that same line that reads as a number; 0 when none does or
// when the number does not fit 32 bits.
int32_t PreviewParentOf(const QString& commandLine);

// The start-up. commandLine is the program's arguments joined by single blanks. Returns after
// acting on the switch; the program goes on only while a window it loaded is open (see
// HasWindow) and ProgramEnd has not been called.
void Main(const QString& commandLine);

// True while the full-screen window or the preview is loaded.
bool HasWindow();

// The lock file that keeps a second full-screen run from starting beside the first.
QString InstanceLockPath();
// Test seam: empty (the default) means countdownApplicationFolder(), the viewer's own way of
// settling the program folder, used when no "AppPath" is stored.
inline std::function<QString()> programFolder;

// Lets go of this process's instance lock and forgets the windows and values (for tests).
void Reset();

} // namespace modVantrelnScreenSaver

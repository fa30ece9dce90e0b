#pragma once

#include "foundation/ProgramTexts.h"
#include "saver/SaverContext.h"

#include <QPointer>
#include <QString>

#include <cstdint>

// The screen saver's start-up and the values its windows share.
namespace modVantrelnScreenSaver {

// The values the screen saver shares, each a name for its place in the screen saver's one
// context (SaverContext::current()); see there for what each holds.
SaverContext& context();
// The viewer's program folder as the viewer stored it. Before the viewer has ever run, the
// program folder the viewer would settle from this program's own folder.
const QString& AppPath();
QString& CountdownPath();
int32_t& PreviewParent();
using Rect = SaverContext::Rect;
Rect& ScreenRect();
QPointer<frmCountdownScreenSaver>& ScreenSaverWindow();
QPointer<frmPreview>& PreviewWindow();

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

// The lock file that keeps a second full-screen run from starting beside the first: in the
// user's runtime folder, else FallbackLockPath().
QString InstanceLockPath();
// The user's lock file in the temporary folder, taken where the runtime folder has none.
QString FallbackLockPath();
// Lets go of this process's instance lock and forgets the windows and values (for tests).
void Reset();

} // namespace modVantrelnScreenSaver

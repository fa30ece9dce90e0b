#pragma once

#include "display/CountdownForm.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <utility>

class clsCountdown;
class clsCounter;

namespace platform {
struct VbError;
}

// The base of both programs' countdown windows: it holds the window's countdown and running
// counter and does what the viewer's and the screen saver's windows do alike: it fills the
// window on the countdown's DataChanged, rings the alarm, formats the event date, reloads on
// lblLoadme, runs the load steps both share and the steps of one timer tick.
class CountdownWindow : public CountdownForm {
    Q_OBJECT
public:
    // What a window does with an error raised inside a trapped step. An empty trap lets the
    // error through to the caller.
    using ErrorTrap = std::function<void(const platform::VbError&)>;

    explicit CountdownWindow(QWidget* parent = nullptr);
    ~CountdownWindow() override;

    // The window's countdown (null before the load). Setting one replaces (and releases) the
    // present one and handles its DataChanged from then on.
    ::clsCountdown* clsCountdown() const { return m_clsCountdown.get(); }
    void setClsCountdown(std::unique_ptr<::clsCountdown> countdown);
    // The running counter (null until the first DataChanged).
    clsCounter* Counter() const { return m_clsCounter.get(); }

    // c1eEventDate's caption = lblEventDate's text as a date in lblEventDateFormat's pattern.
    void lblEventDate_Change() override;
    void lblEventDateFormat_Change() override;
    // Reads the countdown again from its data file and raises DataChanged.
    void lblLoadme_Change() override;
    // The picture named by lblImageFileName into c1eImage, its caption emptied; without one
    // (missing, empty or undecodable) the panel is cleared and hidden.
    void lblImageFileName_Change() override;
    // The logo named by lblLogoImage into c1eAdvertiserLogo (cleared without one), its caption
    // emptied and the panel hidden: the form binding shows it again when the countdown wants it.
    void lblLogoImage_Change() override;

    // The text of time-left box 1 (years) to 6 (seconds): the value, a blank and the unit word,
    // singular exactly at 1 ("1 Year", "12 Days", "0 Seconds").
    static QString boxText(int box, int64_t value);
    // Whether a tick goes on under the direction code held in lblCountDirection (its leading
    // number): 1 counting down while the event is at or after now, 2 counting up while it is
    // at or before now, any other code always.
    static bool directionGateOpen(const QString& directionCaption, double eventDate, double now);
    // Whether the event fell strictly between the previous tick and this one, so that no tick's
    // date equalled it (a skipped second, a 30-second or late tick, a clock set forward).
    static bool eventPassedBetweenTicks(double previousTick, double eventDate, double now);

protected:
    // A new counter filled from the countdown, armed from AlarmSound, set to now; then the
    // countdown is applied to the window and the time-left boxes are written from the counter
    // (no alarm, no export).
    virtual void m_clsCountdown_DataChanged();
    // Opens the alarm window with the countdown's picture, caption, sound and date pattern and
    // disarms the counter, when lblPlaysoundToggle is true; otherwise the counter stays armed.
    // A ring raised while DataChanged fills the window waits until the window holds the
    // countdown, so the alarm never shows another countdown's (or no) caption and picture.
    virtual void m_clsCounter_RingAlarm();

    // Whether a picture or logo that cannot be shown is reported in a message box; either way
    // its panel is cleared and the load goes on. Not by default: a screen saver's hidden cursor
    // leaves nobody to answer a message box.
    virtual bool reportsPictureFailures() const { return false; }
    // Whether the work folder holds this window's countdown; when it does not, the load shows a
    // new countdown instead of whatever another package left there. By default it does.
    virtual bool workFolderHoldsItsCountdown() const { return true; }

    // Runs one step; a VbError it raises goes to the trap (or on to the caller without one).
    static void runStep(const ErrorTrap& trap, const std::function<void()>& step);
    // The trap of the loads: a message box with the number, CR LF and the description, each
    // prefixed by `prefix`.
    static ErrorTrap messageTrap(const QString& prefix = QString());

    // The load steps both windows share, each trapped by `trap`: a new countdown; then
    // `beforeFileName` (the window's own steps that come before the data file name);
    // lblCountdownFileName from the package's name and ".MVK"; when that label no longer holds
    // its design caption, the countdown read from the work folder (readCountdown) and
    // DataChanged raised; the window brought to the front without staying on top.
    void loadCountdown(const QString& packagePath, const std::function<void()>& beforeFileName,
                       const ErrorTrap& trap);
    // The countdown read from its data file in the work folder, or a new countdown where the
    // work folder does not hold it. A read that failed leaves no package recorded as opened, so
    // nothing saves the countdown over it.
    void readCountdown();

    // One timer tick without the timer handling: direction gate, counter to now (to the event
    // when the event fell between this tick and the previous one), the time-left boxes
    // (writeIntervalBoxes), the export when lblSaveToFile is true. Each step is trapped by
    // `trap`. Returns false when the gate stopped the tick. Nothing happens before the load has
    // finished.
    bool runCountdownTick(const ErrorTrap& trap);
    // runCountdownTick with every failure reported in a message box prefixed by `prefix`, each
    // kind of failure (number and description) once for the life of the window: a failure that
    // repeats on every tick would otherwise bring a new box every second.
    bool runReportedTick(const QString& prefix);

    // Releases the countdown and the counter.
    void releaseCountdown();

private:
    void replaceCounter();
    // The picture in the work-folder file `name`; a null image when there is none to show,
    // reported when the window reports picture failures.
    QImage pictureToShow(const QString& name);
    // Boxes 1 to 5 from the counter, each whose unit the countdown shows: hidden at 0,
    // otherwise shown with its text written when it changed; the seconds box written always and
    // never hidden. When a box was shown or hidden, the boxes are stacked again so that no gap
    // is left. Each step is trapped by `trap`.
    void writeIntervalBoxes(const ErrorTrap& trap);
    // One of boxes 1 to 5; returns whether its visibility changed.
    bool writeIntervalBox(int box);
    // Ends a fill from the countdown: a ring held during it opens the alarm now.
    void ringWhenHeld();
    // The ring's work: the alarm window opened and the counter disarmed, when the sound is on.
    void openAlarm();

    std::unique_ptr<::clsCountdown> m_clsCountdown;
    std::unique_ptr<clsCounter> m_clsCounter;
    std::set<std::pair<int32_t, QString>> m_reportedTickFailures;
    bool m_inTick = false;
    bool m_loadFinished = false;
    // While DataChanged fills the window: a ring raised then is held until the fill is done.
    bool m_fillingFromCountdown = false;
    bool m_ringHeld = false;
};

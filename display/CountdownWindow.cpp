#include "display/CountdownWindow.h"

#include "countdown/CountdownDefaults.h"
#include "countdown/OpenedPackage.h"
#include "countdown/clsCountdown.h"
#include "countdown/clsCounter.h"
#include "display/ElasticPanel.h"
#include "display/HiddenLabel.h"
#include "display/MediaFile.h"
#include "display/ProgramFolder.h"
#include "display/frmAlarm.h"
#include "display/modCountdown.h"
#include "display/modCountdownLayout.h"
#include "display/modCounter.h"
#include "foundation/OleDate.h"
#include "foundation/VbValues.h"
#include "foundation/clsPSFileUtilities.h"
#include "foundation/clsPSFormUtilities.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <array>
#include <optional>

namespace {

struct UnitWords {
    const char* singular;
    const char* plural;
};

constexpr std::array<UnitWords, 6> kUnitWords{{
    {" Year", " Years"},
    {" Month", " Months"},
    {" Day", " Days"},
    {" Hour", " Hours"},
    {" Minute", " Minutes"},
    {" Second", " Seconds"},
}};

// The value time-left box `box` (1 years to 6 seconds) shows; none when the countdown does not
// show that unit.
std::optional<int64_t> unitValue(const clsCountdown& countdown, const clsCounter& counter, int box)
{
    switch (box) {
    case 1: return countdown.IntervalYears() ? std::optional(counter.YearsLeft()) : std::nullopt;
    case 2: return countdown.IntervalMonths() ? std::optional(counter.MonthsLeft()) : std::nullopt;
    case 3: return countdown.IntervalDays() ? std::optional(counter.DaysLeft()) : std::nullopt;
    case 4: return countdown.IntervalHours() ? std::optional(counter.HoursLeft()) : std::nullopt;
    case 5: return countdown.IntervalMinutes() ? std::optional(counter.MinutesLeft()) : std::nullopt;
    case 6: return countdown.IntervalSeconds() ? std::optional(counter.SecondsLeft()) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace

CountdownWindow::CountdownWindow(QWidget* parent) : CountdownForm(parent) {}

CountdownWindow::~CountdownWindow() = default;

void CountdownWindow::setClsCountdown(std::unique_ptr<::clsCountdown> countdown)
{
    m_clsCountdown = std::move(countdown);
    if (m_clsCountdown)
        connect(m_clsCountdown.get(), &::clsCountdown::DataChanged, this,
                [this] { m_clsCountdown_DataChanged(); }, Qt::DirectConnection);
}

void CountdownWindow::releaseCountdown()
{
    m_clsCounter.reset();
    m_clsCountdown.reset();
}

QString CountdownWindow::boxText(int box, int64_t value)
{
    if (box < 1 || box > 6)
        throw platform::VbError(platform::vberr::SubscriptOutOfRange);
    const UnitWords& words = kUnitWords[static_cast<size_t>(box - 1)];
    return QString::number(value) + QLatin1String(value == 1 ? words.singular : words.plural);
}

bool CountdownWindow::directionGateOpen(const QString& directionCaption, double eventDate, double now)
{
    const double direction = vb::val(directionCaption);
    if (direction == 1)
        return eventDate >= now;
    if (direction == 2)
        return eventDate <= now;
    return true;
}

bool CountdownWindow::eventPassedBetweenTicks(double previousTick, double eventDate, double now)
{
    return previousTick < eventDate && eventDate < now;
}

void CountdownWindow::runStep(const ErrorTrap& trap, const std::function<void()>& step)
{
    if (!trap) {
        step();
        return;
    }
    try {
        step();
    } catch (const platform::VbError& error) {
        trap(error);
    }
}

CountdownWindow::ErrorTrap CountdownWindow::messageTrap(const QString& prefix)
{
    return [prefix](const platform::VbError& error) {
        if (platform::Ui* ui = platform::services().ui)
            ui->msgBox(prefix + QString::number(error.number) + QStringLiteral("\r\n") + error.description,
                       platform::vbmsg::vbOKOnly);
    };
}

void CountdownWindow::replaceCounter()
{
    m_clsCounter = std::make_unique<clsCounter>();
    connect(m_clsCounter.get(), &clsCounter::RingAlarm, this, [this] { m_clsCounter_RingAlarm(); },
            Qt::DirectConnection);
}

void CountdownWindow::m_clsCountdown_DataChanged()
{
    if (!m_clsCountdown)
        return;
    ::clsCountdown& countdown = *m_clsCountdown;
    replaceCounter();
    clsCounter& counter = *m_clsCounter;
    counter.setSaveFileName(countdown.SaveFileName());
    counter.setSaveFormat(countdown.SaveFormat());
    counter.setSaveToFile(countdown.SaveToFile());
    // The units before the event date, whose set counts: a unit the countdown does not show is
    // counted by the next one it shows.
    counter.setIntervalYears(countdown.IntervalYears());
    counter.setIntervalMonths(countdown.IntervalMonths());
    counter.setIntervalDays(countdown.IntervalDays());
    counter.setIntervalWorkDays(countdown.IntervalWorkDays());
    counter.setIntervalHours(countdown.IntervalHours());
    counter.setIntervalMinutes(countdown.IntervalMinutes());
    counter.setIntervalSeconds(countdown.IntervalSeconds());
    lblSoundFile()->setCaption(countdown.AlarmFileName());
    lblPlaysoundToggle()->setCaption(vb::boolText(countdown.AlarmSound()));
    // The present is set before the event, whose set counts at once: a new counter's present is
    // the zero date of 1899. The alarm is armed before any count, and the present is set again
    // once the event is there, so a countdown opened at its event second rings.
    const double now = vb::now();
    m_fillingFromCountdown = true;
    m_ringHeld = false;
    try {
        counter.setCurrentDate(now);
        counter.setAlarmSet(countdown.AlarmSound());
        counter.setEventDate(countdown.EventDate());
        counter.setCurrentDate(now);
        counter.Refresh();
        modCountdown::ApplyCountdownToForm(*this, countdown);
        // The boxes show the time left from the start, not only from the first tick, which may
        // be 30 s away or, past a closed direction gate, never come.
        writeIntervalBoxes({});
    } catch (...) {
        ringWhenHeld();
        throw;
    }
    ringWhenHeld();
}

void CountdownWindow::ringWhenHeld()
{
    m_fillingFromCountdown = false;
    if (m_ringHeld) {
        m_ringHeld = false;
        openAlarm();
    }
}

void CountdownWindow::m_clsCounter_RingAlarm()
{
    // The alarm takes its picture, caption and date pattern from the window's labels, which
    // the fill has not written yet.
    if (m_fillingFromCountdown) {
        m_ringHeld = true;
        return;
    }
    openAlarm();
}

void CountdownWindow::openAlarm()
{
    if (!vb::cbool(lblPlaysoundToggle()->Caption()))
        return;
    // Disarmed before the alarm window opens: its load may wait on a message box, and a tick
    // arriving meanwhile must not ring a second time.
    if (m_clsCounter)
        m_clsCounter->setAlarmSet(false);
    frmAlarm& alarm = frmAlarm::instance();
    alarm.setImageFileName(lblImageFileName()->Caption());
    alarm.setEventCaption(c1eEventCaption()->Caption());
    alarm.setSoundFile(lblSoundFile()->Caption());
    alarm.setEventDateFormat(lblEventDateFormat()->Caption());
    alarm.show();
}

void CountdownWindow::lblEventDate_Change()
{
    c1eEventDate()->setCaption(vb::format(vb::cdate(lblEventDate()->Caption()), lblEventDateFormat()->Caption()));
}

void CountdownWindow::lblEventDateFormat_Change()
{
    lblEventDate_Change();
}

void CountdownWindow::lblLoadme_Change()
{
    if (!m_clsCountdown)
        return;
    m_clsCountdown->setCountdownFileName(lblCountdownFileName()->Caption());
    readCountdown();
    m_clsCountdown->Trigger_ChangeEvent();
}

void CountdownWindow::readCountdown()
{
    if (!workFolderHoldsItsCountdown()) {
        CountdownDefaults::applyNewCountdownDefaults(*m_clsCountdown, showInMessageBox);
        return;
    }
    if (!m_clsCountdown->Refresh())
        OpenedPackage::forget();
}

QImage CountdownWindow::pictureToShow(const QString& name)
{
    try {
        return MediaFile::picture(ProgramFolder::inWorkFolder(name));
    } catch (const platform::VbError& error) {
        if (reportsPictureFailures())
            messageTrap()(error);
        return QImage();
    }
}

void CountdownWindow::lblImageFileName_Change()
{
    const QImage picture = pictureToShow(lblImageFileName()->Caption());
    if (!picture.isNull()) {
        c1eImage()->setPicture(picture);
        c1eImage()->setCaption(QString());
    } else {
        c1eImage()->setPicture(QImage());
        c1eImage()->setVisible(false);
    }
}

void CountdownWindow::lblLogoImage_Change()
{
    c1eAdvertiserLogo()->setPicture(pictureToShow(lblLogoImage()->Caption()));
    c1eAdvertiserLogo()->setCaption(QString());
    c1eAdvertiserLogo()->setVisible(false);
}

void CountdownWindow::loadCountdown(const QString& packagePath, const std::function<void()>& beforeFileName,
                                    const ErrorTrap& trap)
{
    m_loadFinished = false;
    runStep(trap, [this] {
        auto countdown = std::make_unique<::clsCountdown>();
        // The countdown reads its data file where the package was unpacked: the work folder of
        // the program folder the window was given.
        if (!ProgramFolder::AppPath().isEmpty())
            countdown->setDatabaseLocation(ProgramFolder::WorkFolder());
        setClsCountdown(std::move(countdown));
    });
    if (beforeFileName)
        beforeFileName();
    runStep(trap, [this, &packagePath] {
        clsPSFileUtilities files;
        files.setPellowFileName(packagePath);
        lblCountdownFileName()->setCaption(files.Filename() + QStringLiteral(".MVK"));
    });
    runStep(trap, [this] {
        if (lblCountdownFileName()->Caption() == lblCountdownFileName()->designCaption() || !m_clsCountdown)
            return;
        m_clsCountdown->setCountdownFileName(lblCountdownFileName()->Caption());
        readCountdown();
        m_clsCountdown->Trigger_ChangeEvent();
    });
    runStep(trap, [this] {
        clsPSFormUtilities forms;
        forms.SetTopMost(this);
        forms.UnSetTopMost(this);
    });
    m_loadFinished = true;
}

bool CountdownWindow::runCountdownTick(const ErrorTrap& trap)
{
    // A message box inside a tick or the load runs its own event loop; a tick arriving there is
    // skipped. Before the load has finished, the hidden labels may still hold their design
    // captions.
    if (!m_loadFinished || !m_clsCountdown || !m_clsCounter || m_inTick)
        return true;
    m_inTick = true;
    const struct TickEnd {
        bool& flag;
        ~TickEnd() { flag = false; }
    } tickEnd{m_inTick};
    const double now = vb::now();

    // An event no tick landed on exactly (a skipped second, a 30-second or late tick, a clock
    // set forward) would never ring, since the counter rings only on equality, and a countdown
    // would stop at the gate showing time still to go. This tick is made at the event itself
    // instead: it rings there, once, passes the gate and shows the event reached; the gate then
    // holds that display.
    const bool catchUp = eventPassedBetweenTicks(m_clsCounter->CurrentDate(), m_clsCounter->EventDate(), now);
    const double tickDate = catchUp ? m_clsCounter->EventDate() : now;

    bool goOn = true;
    runStep(trap, [&] {
        if (m_clsCounter)
            goOn = catchUp || directionGateOpen(lblCountDirection()->Caption(), m_clsCounter->EventDate(), now);
    });
    if (!goOn)
        return false;

    runStep(trap, [&] {
        if (m_clsCounter)
            m_clsCounter->setCurrentDate(tickDate);
    });
    runStep(trap, [&] {
        if (m_clsCounter)
            m_clsCounter->Refresh();
    });

    writeIntervalBoxes(trap);

    runStep(trap, [&] {
        if (m_clsCounter && vb::cbool(lblSaveToFile()->Caption()))
            modCounter::SaveCountdownToFile(*m_clsCounter, *this);
    });
    return true;
}

bool CountdownWindow::runReportedTick(const QString& prefix)
{
    const ErrorTrap report = messageTrap(prefix);
    return runCountdownTick([this, &report](const platform::VbError& error) {
        if (m_reportedTickFailures.emplace(error.number, error.description).second)
            report(error);
    });
}

void CountdownWindow::writeIntervalBoxes(const ErrorTrap& trap)
{
    bool visibilityChanged = false;
    for (int box = 1; box <= 5; ++box)
        runStep(trap, [&] { visibilityChanged = writeIntervalBox(box) || visibilityChanged; });
    runStep(trap, [&] {
        if (!m_clsCountdown || !m_clsCounter)
            return;
        // The seconds box is written on every tick and never hidden: it shows "0 Seconds".
        if (const std::optional<int64_t> seconds = unitValue(*m_clsCountdown, *m_clsCounter, 6))
            c1eIntervalsLeft(6)->setCaption(boxText(6, *seconds));
    });
    if (visibilityChanged)
        runStep(trap, [this] { modCountdown::StackIntervalBoxes(*this); });
}

bool CountdownWindow::writeIntervalBox(int box)
{
    if (!m_clsCountdown || !m_clsCounter)
        return false;
    const std::optional<int64_t> value = unitValue(*m_clsCountdown, *m_clsCounter, box);
    if (!value)
        return false;
    ElasticPanel* panel = c1eIntervalsLeft(box);
    const bool show = *value != 0;
    if (show) {
        const QString text = boxText(box, *value);
        if (text != panel->Caption())
            panel->setCaption(text);
    }
    if (panel->Visible() == show)
        return false;
    panel->setVisible(show);
    return true;
}

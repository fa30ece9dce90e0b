#include "display/CountdownWindow.h"

#include "display/ElasticPanel.h"
#include "display/HiddenLabel.h"
#include "display/ProgramFolder.h"
#include "display/frmAlarm.h"
#include "display/modCountdown.h"
#include "display/modCounter.h"

#include "countdown/clsCountdown.h"
#include "countdown/clsCounter.h"
#include "foundation/OleDate.h"
#include "foundation/VbValues.h"
#include "foundation/clsPSFileUtilities.h"
#include "foundation/clsPSFormUtilities.h"
#include "platform/Services.h"
#include "platform/Ui.h"
#include "platform/VbError.h"

#include <array>

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

QString CountdownWindow::boxText(int box, int32_t value)
{
    if (box < 1 || box > 6)
        throw platform::VbError(9); // Subscript out of range
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

bool CountdownWindow::alarmPassedBetweenTicks(bool alarmSet, double previousTick, double eventDate,
                                              double now)
{
    return alarmSet && previousTick < eventDate && eventDate < now;
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
    counter.setEventDate(countdown.EventDate());
    lblSoundFile()->setCaption(countdown.AlarmFileName());
    lblPlaysoundToggle()->setCaption(vb::boolText(countdown.AlarmSound()));
    counter.setAlarmSet(countdown.AlarmSound());
    counter.setCurrentDate(vb::now());
    counter.Refresh();
    modCountdown::ApplyCountdownToForm(*this, countdown);
}

void CountdownWindow::m_clsCounter_RingAlarm()
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
    m_clsCountdown->Refresh();
    m_clsCountdown->Trigger_ChangeEvent();
}

void CountdownWindow::loadCountdown(const QString& packagePath, const std::function<void()>& beforeFileName,
                                    const ErrorTrap& trap)
{
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
        m_clsCountdown->Refresh();
        m_clsCountdown->Trigger_ChangeEvent();
    });
    runStep(trap, [this] {
        clsPSFormUtilities forms;
        forms.SetTopMost(this);
        forms.UnSetTopMost(this);
    });
}

bool CountdownWindow::runCountdownTick(const ErrorTrap& trap)
{
    // A message box inside a tick runs its own event loop; a tick arriving there is skipped.
    if (!m_clsCountdown || !m_clsCounter || m_inTick)
        return true;
    m_inTick = true;
    const struct TickEnd {
        bool& flag;
        ~TickEnd() { flag = false; }
    } tickEnd{m_inTick};
    const double now = vb::now();

    bool caughtUp = false;
    runStep(trap, [&] {
        clsCounter& counter = *m_clsCounter;
        // An event no tick landed on exactly would never ring: the counter rings only on equality.
        // Putting the counter on the event itself first rings it there, once, and lets this tick
        // past the gate so the display shows the event reached.
        if (alarmPassedBetweenTicks(counter.AlarmSet(), counter.CurrentDate(), counter.EventDate(), now)) {
            caughtUp = true;
            counter.setCurrentDate(counter.EventDate());
        }
    });

    bool goOn = true;
    runStep(trap, [&] {
        if (m_clsCounter)
            goOn = caughtUp || directionGateOpen(lblCountDirection()->Caption(), m_clsCounter->EventDate(), now);
    });
    if (!goOn)
        return false;

    runStep(trap, [&] {
        if (m_clsCounter)
            m_clsCounter->setCurrentDate(now);
    });
    runStep(trap, [&] {
        if (m_clsCounter)
            m_clsCounter->Refresh();
    });

    for (int box = 1; box <= 5; ++box) {
        runStep(trap, [&] {
            if (!m_clsCountdown || !m_clsCounter)
                return;
            const ::clsCountdown& countdown = *m_clsCountdown;
            const clsCounter& counter = *m_clsCounter;
            bool shown = false;
            int32_t value = 0;
            switch (box) {
            case 1: shown = countdown.IntervalYears(); if (shown) value = counter.YearsLeft(); break;
            case 2: shown = countdown.IntervalMonths(); if (shown) value = counter.MonthsLeft(); break;
            case 3: shown = countdown.IntervalDays(); if (shown) value = counter.DaysLeft(); break;
            case 4: shown = countdown.IntervalHours(); if (shown) value = counter.HoursLeft(); break;
            case 5: shown = countdown.IntervalMinutes(); if (shown) value = counter.MinutesLeft(); break;
            }
            if (!shown)
                return;
            ElasticPanel* panel = c1eIntervalsLeft(box);
            if (value == 0) {
                if (panel->Visible())
                    panel->setVisible(false);
                return;
            }
            const QString text = boxText(box, value);
            if (text != panel->Caption())
                panel->setCaption(text);
        });
    }

    runStep(trap, [&] {
        if (!m_clsCountdown || !m_clsCounter)
            return;
        const QString text = boxText(6, m_clsCounter->SecondsLeft());
        if (m_clsCountdown->IntervalSeconds())
            c1eIntervalsLeft(6)->setCaption(text);
    });

    runStep(trap, [&] {
        if (m_clsCounter && vb::cbool(lblSaveToFile()->Caption()))
            modCounter::SaveCountdownToFile(*m_clsCounter, *this);
    });
    return true;
}

#include "countdown/ModJoinsSkins.h"
#include "countdown/clsCountdown.h"
#include "display/CountdownForm.h"
#include "display/DisplayContext.h"
#include "display/ElasticPanel.h"
#include "display/HiddenLabel.h"
#include "display/StatusBar.h"
#include "display/modCountdown.h"
#include "foundation/ProgramTexts.h"
#include "foundation/VbValues.h"
#include "foundation/clsStringUtilities.h"
#include "platform/VbError.h"
#include "support/ProgramFolderFixture.h"

#include <QApplication>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

using modCountdown::ApplyCountdownToForm;
using modCountdown::SaveFormToCountdown;

QString hex(int32_t color) { return QString::number(static_cast<uint32_t>(color), 16); }
QString yesNo(bool value) { return value ? QStringLiteral("yes") : QStringLiteral("no"); }

// Every value the form carries, as distinct as possible so a crossed wire shows. `inverted` flips
// every yes/no value and picks other numbers, so a value saved as a constant shows too.
void fillCountdown(clsCountdown& countdown, bool inverted)
{
    const bool on = !inverted;
    countdown.setViewFormat(inverted ? 7 : 3);
    countdown.setState(0);
    countdown.setTop(1125);
    countdown.setLeft(750);
    countdown.setWidth(3000);
    countdown.setHeight(2250);
    countdown.setAlarmFileName(inverted ? "bell2.mp3" : "ring.wav");
    countdown.setAlarmSound(on);
    countdown.setAdvertiserLogoFileName(inverted ? "" : "logo.png");
    countdown.setAdvertiserLogoBackColor(0x112233);
    countdown.setBackgroundBackColor(0x223344);
    countdown.setBackgroundForeColor(0x334455);
    countdown.setAdvertiserLogoVisible(on);
    countdown.setEventImageBackColor(0x556677);
    countdown.setImageFileName(inverted ? "other.png" : "party.jpg");
    countdown.setCountDirection(inverted ? 0 : 2);
    countdown.setIntervalYears(!on);
    countdown.setIntervalMonths(on);
    countdown.setIntervalDays(on);
    countdown.setIntervalHours(!on);
    countdown.setIntervalMinutes(on);
    countdown.setIntervalSeconds(!on);
    countdown.setStatusBarVisible(on);
    countdown.setSoundIconVisible(!on);
    countdown.setOptionIconVisible(on);
    countdown.setCurrentTimeVisible(on);
    countdown.setStatusBarURLVisible(!on);
    countdown.setStatusBarURLCaption("Our site");
    countdown.setStatusBarURL("http://example.com/launch");
    countdown.setEventCaption(inverted ? "Back home" : "Launch day");
    countdown.setEventCaptionVisible(on);
    countdown.setEventCaptionFont("Arial");
    countdown.setEventCaptionFontsize(10);
    countdown.setEventCaptionFontBold(on ? -1 : 0);
    countdown.setEventCaptionFontItalic(on ? 0 : -1);
    countdown.setEventCaptionBackColor(0x667788);
    countdown.setEventCaptionForeColor(0x445566);
    countdown.setEventDate(vb::cdate(inverted ? "12/31/2030" : "3/14/2027 3:09:26 PM"));
    countdown.setEventDateFormat(inverted ? "mmmm d, yyyy" : "dd mmm, yyyy");
    countdown.setEventDateVisible(!on);
    countdown.setEventDateFont("Times New Roman");
    countdown.setEventDateFontsize(12);
    countdown.setEventDateFontBold(on ? 0 : -1);
    countdown.setEventDateFontItalic(on ? -1 : 0);
    countdown.setEventDateBackColor(0x778899);
    countdown.setEventDateForeColor(static_cast<int32_t>(0x80000008u));
    countdown.setTimerDateFont("Courier New");
    countdown.setTimerDateFontsize(14);
    countdown.setTimerDateFontBold(on ? -1 : 0);
    countdown.setTimerDateFontItalic(on ? -1 : 0);
    countdown.setTimerDateBackColor(0x99AABB);
    countdown.setTimerDateForeColor(0xAABBCC);
    countdown.setSaveFormat(inverted ? "6" : "3");
    countdown.setSaveToFile(on);
    countdown.setSaveFileName(inverted ? "" : "C:\\out\\count.htm");
}

// The countdown's values that travel through the form, one "name=value" line each.
QString carried(const clsCountdown& c)
{
    QStringList lines{
        "ViewFormat=" + QString::number(c.ViewFormat()), "State=" + QString::number(c.State()),
        "Top=" + vb::singleText(c.Top()), "Left=" + vb::singleText(c.Left()),
        "Width=" + vb::singleText(c.Width()), "Height=" + vb::singleText(c.Height()),
        "AlarmFileName=" + c.AlarmFileName(), "AlarmSound=" + yesNo(c.AlarmSound()),
        "AdvertiserLogoFileName=" + c.AdvertiserLogoFileName(),
        "AdvertiserLogoBackColor=" + hex(c.AdvertiserLogoBackColor()),
        "BackgroundBackColor=" + hex(c.BackgroundBackColor()),
        "AdvertiserLogoVisible=" + yesNo(c.AdvertiserLogoVisible()),
        "EventImageBackColor=" + hex(c.EventImageBackColor()), "ImageFileName=" + c.ImageFileName(),
        "CountDirection=" + QString::number(c.CountDirection()),
        "StatusBarVisible=" + yesNo(c.StatusBarVisible()), "SoundIconVisible=" + yesNo(c.SoundIconVisible()),
        "CurrentTimeVisible=" + yesNo(c.CurrentTimeVisible()),
        "StatusBarURLVisible=" + yesNo(c.StatusBarURLVisible()),
        "StatusBarURLCaption=" + c.StatusBarURLCaption(), "StatusBarURL=" + c.StatusBarURL(),
        "EventCaption=" + c.EventCaption(), "EventCaptionVisible=" + yesNo(c.EventCaptionVisible()),
        "EventCaptionFont=" + c.EventCaptionFont(),
        "EventCaptionFontsize=" + vb::singleText(c.EventCaptionFontsize()),
        "EventCaptionFontBold=" + QString::number(c.EventCaptionFontBold()),
        "EventCaptionFontItalic=" + QString::number(c.EventCaptionFontItalic()),
        "EventCaptionBackColor=" + hex(c.EventCaptionBackColor()),
        "EventCaptionForeColor=" + hex(c.EventCaptionForeColor()),
        "EventDate=" + vb::doubleText(c.EventDate()), "EventDateFormat=" + c.EventDateFormat(),
        "EventDateVisible=" + yesNo(c.EventDateVisible()), "EventDateFont=" + c.EventDateFont(),
        "EventDateFontsize=" + vb::singleText(c.EventDateFontsize()),
        "EventDateFontBold=" + QString::number(c.EventDateFontBold()),
        "EventDateFontItalic=" + QString::number(c.EventDateFontItalic()),
        "EventDateBackColor=" + hex(c.EventDateBackColor()), "EventDateForeColor=" + hex(c.EventDateForeColor()),
        "TimerDateFont=" + c.TimerDateFont(), "TimerDateFontsize=" + vb::singleText(c.TimerDateFontsize()),
        "TimerDateFontBold=" + QString::number(c.TimerDateFontBold()),
        "TimerDateFontItalic=" + QString::number(c.TimerDateFontItalic()),
        "TimerDateBackColor=" + hex(c.TimerDateBackColor()), "TimerDateForeColor=" + hex(c.TimerDateForeColor()),
        "SaveFormat=" + c.SaveFormat(), "SaveToFile=" + yesNo(c.SaveToFile()), "SaveFileName=" + c.SaveFileName(),
    };
    return lines.join('\n');
}

// The values the save keeps from the countdown rather than reading the window.
QString kept(const clsCountdown& c)
{
    return QStringList{
        "Units=" + yesNo(c.IntervalYears()) + yesNo(c.IntervalMonths()) + yesNo(c.IntervalDays()) +
            yesNo(c.IntervalHours()) + yesNo(c.IntervalMinutes()) + yesNo(c.IntervalSeconds()),
        "OptionIconVisible=" + yesNo(c.OptionIconVisible()),
        "BackgroundForeColor=" + hex(c.BackgroundForeColor()),
    }.join('\n');
}

class RecordingForm : public CountdownForm {
public:
    std::function<QString()> observe = [] { return QString(); };
    QStringList calls;
    void lblLayout_Change() override { calls << "lblLayout " + observe(); }
    void lblLogoImage_Change() override { calls << "lblLogoImage " + observe(); }
    void lblImageFileName_Change() override { calls << "lblImageFileName " + observe(); }
    void lblEventDate_Change() override { calls << "lblEventDate " + observe(); }
    void lblEventDateFormat_Change() override { calls << "lblEventDateFormat " + observe(); }
};

class FormBinding : public ProgramFolderTest<DisplayContext> {
protected:

    void setScreen(int widthPixels, int heightPixels)
    {
        services.screen().widthPixels = widthPixels;
        services.screen().heightPixels = heightPixels;
    }
    // A countdown stored in the work folder as Party.MVK, saved into the package Party.MVL.
    void prepareForSave(clsCountdown& countdown)
    {
        countdown.setDatabaseLocation(work);
        countdown.setCountdownFileName("Party.MVK");
        form.lblTemplateFileName()->setCaption(packagePath());
    }
    QString packagePath() const { return folder.internalPath("Party.MVL"); }
    bool packageExists() const { return QFile::exists(folder.nativePath("Party.MVL")); }
    QString lastOpenTemplate()
    {
        return services.settings().get(ProgramTexts::kSettingsApplication, ProgramTexts::kSettingsSection,
                                       ProgramTexts::kLastOpenTemplateKey);
    }
    void putDesignerProgram() const { folder.write("Vantrel 5.0.exe", "#!"); }

    RecordingForm form;
};

// ---- applying --------------------------------------------------------------------------------

// What the form shows after applying the plain sample on the reference screen.
QString shown(RecordingForm& f)
{
    auto panel = [](const char* name, ElasticPanel* p) {
        return QStringList{
            QString(name) + " caption=" + p->Caption() + " visible=" + yesNo(p->Visible()),
            QString(name) + " font=" + p->FontName() + " " + vb::singleText(p->FontSize()) +
                (p->FontBold() ? " bold" : "") + (p->FontItalic() ? " italic" : ""),
            QString(name) + " colors=" + hex(p->BackColor()) + "/" + hex(p->ForeColor()),
        };
    };
    QStringList lines;
    lines << "window=" + QString::number(f.Left()) + "," + QString::number(f.Top()) + "," +
                 QString::number(f.Width()) + "," + QString::number(f.Height()) + " state " +
                 QString::number(f.WindowState());
    lines << "back c1eTop=" + hex(f.c1eTop()->BackColor()) + " c1eCaptions=" + hex(f.c1eCaptions()->BackColor()) +
                 " box0=" + hex(f.c1eIntervalsLeft(0)->BackColor());
    lines << "logo visible=" + yesNo(f.c1eAdvertiserLogo()->Visible()) + " colors=" +
                 hex(f.c1eAdvertiserLogo()->BackColor()) + "/" + hex(f.c1eAdvertiserLogo()->ForeColor());
    lines << "image colors=" + hex(f.c1eImage()->BackColor()) + "/" + hex(f.c1eImage()->ForeColor());
    lines << panel("caption", f.c1eEventCaption()) << panel("date", f.c1eEventDate());
    QString boxes;
    for (int i = 1; i <= 6; ++i) {
        boxes += yesNo(f.c1eIntervalsLeft(i)->Visible());
        lines << panel(qPrintable("box" + QString::number(i)), f.c1eIntervalsLeft(i)).mid(1);
    }
    lines << "boxes visible=" + boxes;
    StatusBar& bar = *f.StatusBar1();
    QString panels;
    for (int i = 1; i <= 7; ++i)
        panels += yesNo(bar.PanelVisible(i)) + " ";
    lines << "bar visible=" + yesNo(bar.Visible()) + " panels=" + panels.trimmed() + " text6=" + bar.PanelText(6);
    for (HiddenLabel* label : {f.lblLayout(), f.lblSoundFile(), f.lblPlaysoundToggle(), f.lblLogoImage(),
                               f.lblImageFileName(), f.lblCountDirection(), f.lblStatusbarURL(), f.lblEventDate(),
                               f.lblEventDateFormat(), f.lblSaveToFileFormat(), f.lblSaveToFile(),
                               f.lblSaveToFileLocation()})
        lines << label->objectName() + "=" + label->Caption();
    return lines.join('\n');
}

TEST_F(FormBinding, ApplyPutsEveryValueOnItsControl)
{
    clsCountdown countdown;
    fillCountdown(countdown, false);

    ApplyCountdownToForm(form, countdown);

    const QStringList expected{
        "window=750,1125,3000,2250 state 0",
        "back c1eTop=223344 c1eCaptions=99aabb box0=99aabb",
        "logo visible=yes colors=112233/445566",
        "image colors=556677/445566",
        "caption caption=Launch day visible=yes",
        "caption font=Arial 10 bold",
        "caption colors=667788/445566",
        "date caption=14 Mar, 2027 visible=no",
        "date font=Times New Roman 12 italic",
        "date colors=778899/80000008",
        "box1 font=Courier New 14 bold italic", "box1 colors=99aabb/aabbcc",
        "box2 font=Courier New 14 bold italic", "box2 colors=99aabb/aabbcc",
        "box3 font=Courier New 14 bold italic", "box3 colors=99aabb/aabbcc",
        "box4 font=Courier New 14 bold italic", "box4 colors=99aabb/aabbcc",
        "box5 font=Courier New 14 bold italic", "box5 colors=99aabb/aabbcc",
        "box6 font=Courier New 14 bold italic", "box6 colors=99aabb/aabbcc",
        "boxes visible=noyesyesnoyesno",
        // Panel 2 stays hidden: there is no designer program in the program folder.
        "bar visible=yes panels=no no yes yes yes no yes text6=Our site",
        "lblLayout=3", "lblSoundFile=ring.wav", "lblPlaysoundToggle=True", "lblLogoImage=logo.png",
        "lblImageFileName=party.jpg", "lblCountDirection=2", "lblStatusbarURL=http://example.com/launch",
        "lblEventDate=3/14/2027 3:09:26 PM", "lblEventDateFormat=dd mmm, yyyy", "lblSaveToFileFormat=3",
        "lblSaveToFile=True", "lblSaveToFileLocation=C:\\out\\count.htm",
    };
    EXPECT_EQ(shown(form), expected.join('\n'));
}

TEST_F(FormBinding, ApplyFiresTheHiddenLabelsInStepOrder)
{
    clsCountdown countdown;
    fillCountdown(countdown, false);
    countdown.setEventDateFormat("d mmm yyyy"); // the label's design text is the sample's pattern
    form.observe = [this] {
        return QString("width=%1 logoBack=%2 imageBack=%3 caption=%4 dateCaption=%5 dateFont=%6")
            .arg(form.Width())
            .arg(hex(form.c1eAdvertiserLogo()->BackColor()), hex(form.c1eImage()->BackColor()),
                 form.c1eEventCaption()->Caption(), form.c1eEventDate()->Caption(), form.c1eEventDate()->FontName());
    };
    const QString before = QString::number(form.Width());
    const QString defaultBack = hex(form.c1eImage()->BackColor());

    ApplyCountdownToForm(form, countdown);

    // The layout runs before the geometry; each picture label after the colours of its panel
    // were set (the logo's only partly); the date labels after the date caption, before its font.
    const QStringList expected{
        "lblLayout width=" + before + " logoBack=" + defaultBack + " imageBack=" + defaultBack +
            " caption= dateCaption= dateFont=Arial",
        "lblLogoImage width=3000 logoBack=" + defaultBack + " imageBack=" + defaultBack +
            " caption= dateCaption= dateFont=Arial",
        "lblImageFileName width=3000 logoBack=112233 imageBack=556677 caption= dateCaption= dateFont=Arial",
        "lblEventDate width=3000 logoBack=112233 imageBack=556677 caption=Launch day dateCaption=14 Mar 2027 "
        "dateFont=Arial",
        "lblEventDateFormat width=3000 logoBack=112233 imageBack=556677 caption=Launch day "
        "dateCaption=14 Mar 2027 dateFont=Arial",
    };
    EXPECT_EQ(form.calls.join('\n'), expected.join('\n'));
}

struct ScreenCase {
    int widthPixels, heightPixels;
    double left, top, width, height; // window twips for the stored 750, 1125, 3000, 2250
    float captionSize, dateSize, boxSize; // shown for the stored 10, 12, 14
};

class FormBindingOnScreen : public FormBinding, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(FormBindingOnScreen, ScalesFromTheReferenceScreenAndSavesBackUnchanged)
{
    const ScreenCase& c = GetParam();
    setScreen(c.widthPixels, c.heightPixels);
    clsCountdown countdown;
    fillCountdown(countdown, false);
    prepareForSave(countdown);

    ApplyCountdownToForm(form, countdown);

    EXPECT_EQ(form.Left(), c.left);
    EXPECT_EQ(form.Top(), c.top);
    EXPECT_EQ(form.Width(), c.width);
    EXPECT_EQ(form.Height(), c.height);
    EXPECT_EQ(modCountdown::RememberedLeft(), c.left);
    EXPECT_EQ(modCountdown::RememberedWidth(), c.width);
    EXPECT_EQ(modCountdown::RememberedHeight(), c.height);
    EXPECT_NEAR(form.c1eEventCaption()->FontSize(), c.captionSize, 1e-3);
    EXPECT_NEAR(form.c1eEventDate()->FontSize(), c.dateSize, 1e-3);
    for (int i = 1; i <= 6; ++i)
        EXPECT_NEAR(form.c1eIntervalsLeft(i)->FontSize(), c.boxSize, 1e-3) << "box " << i;

    // The viewer's save leaves the stored font sizes alone, whatever the screen.
    const QString before = carried(countdown);
    SaveFormToCountdown(countdown, form, false);
    EXPECT_EQ(carried(countdown), before);

    // With the flag the shown sizes go back through kAvg.
    SaveFormToCountdown(countdown, form, true);
    EXPECT_NEAR(countdown.EventCaptionFontsize(), 10, 1e-4);
    EXPECT_NEAR(countdown.EventDateFontsize(), 12, 1e-4);
    EXPECT_NEAR(countdown.TimerDateFontsize(), 14, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(Screens, FormBindingOnScreen,
                         ::testing::Values(ScreenCase{800, 600, 750, 1125, 3000, 2250, 10, 12, 14},
                                           ScreenCase{1024, 768, 960, 1440, 3840, 2880, 12.8f, 15.36f, 17.92f},
                                           ScreenCase{1280, 1024, 1200, 1920, 4800, 3840, 16.5333f, 19.84f,
                                                      23.1467f}),
                         [](const auto& testInfo) {
                             return QString("%1x%2").arg(testInfo.param.widthPixels).arg(testInfo.param.heightPixels)
                                 .toStdString();
                         });

TEST_F(FormBinding, RememberedGeometryIsWhatTheWindowTook)
{
    clsCountdown countdown;
    fillCountdown(countdown, false);
    countdown.setWidth(3007); // 200.47 pixels: the window takes 200
    countdown.setLeft(37.4f); // 2.49 pixels: the window takes 2

    ApplyCountdownToForm(form, countdown);

    EXPECT_EQ(modCountdown::RememberedWidth(), 3000);
    EXPECT_EQ(modCountdown::RememberedLeft(), 30);
    EXPECT_EQ(modCountdown::RememberedHeight(), 2250);

    // The save stores what the window took, not what was asked for.
    prepareForSave(countdown);
    SaveFormToCountdown(countdown, form, false);
    EXPECT_FLOAT_EQ(countdown.Width(), 3000);
    EXPECT_FLOAT_EQ(countdown.Left(), 30);
}

TEST_F(FormBinding, ACountdownNotInTheNormalStateLeavesTheWindowAndTheRememberedGeometry)
{
    clsCountdown countdown;
    fillCountdown(countdown, false);
    countdown.setState(2);
    form.setLeft(300);
    form.setTop(450);
    form.setWidth(6000);
    form.setHeight(4500);
    context.remembered.width = 1234;

    ApplyCountdownToForm(form, countdown);

    EXPECT_EQ(QString("%1 %2 %3 %4 state %5").arg(form.Left()).arg(form.Top()).arg(form.Width()).arg(form.Height())
                  .arg(form.WindowState()),
              "300 450 6000 4500 state 0");
    EXPECT_EQ(modCountdown::RememberedWidth(), 1234);
    EXPECT_EQ(modCountdown::RememberedLeft(), 0);

    prepareForSave(countdown);
    SaveFormToCountdown(countdown, form, false);
    EXPECT_EQ(countdown.State(), 0);
    EXPECT_FLOAT_EQ(countdown.Width(), 6000);
}

TEST_F(FormBinding, AWindowSavedMaximisedStoresItsMaximisedBoundsAndIsLeftNormal)
{
    clsCountdown countdown;
    fillCountdown(countdown, false);
    prepareForSave(countdown);
    ApplyCountdownToForm(form, countdown);
    form.show();
    form.setWindowState(2);
    QApplication::processEvents();
    ASSERT_EQ(form.WindowState(), 2);
    const double maximisedWidth = form.Width(), maximisedHeight = form.Height();
    ASSERT_GT(maximisedWidth, 3000);

    SaveFormToCountdown(countdown, form, false);

    EXPECT_EQ(form.WindowState(), 0);
    EXPECT_FLOAT_EQ(countdown.Width(), static_cast<float>(maximisedWidth));
    EXPECT_FLOAT_EQ(countdown.Height(), static_cast<float>(maximisedHeight));
    EXPECT_EQ(countdown.State(), 0);
}

// ---- saving ----------------------------------------------------------------------------------

class FormBindingRoundTrip : public FormBinding, public ::testing::WithParamInterface<bool> {};

TEST_P(FormBindingRoundTrip, SaveReadsBackEveryValueAndPacksIt)
{
    clsCountdown original;
    fillCountdown(original, GetParam());
    folder.write("Temp/" + original.ImageFileName(), "picture bytes");
    ApplyCountdownToForm(form, original);

    clsCountdown saved;
    prepareForSave(saved);
    SaveFormToCountdown(saved, form, true);

    EXPECT_EQ(carried(saved), carried(original));
    EXPECT_EQ(lastOpenTemplate(), packagePath());
    EXPECT_TRUE(services.ui().msgBoxes.empty()) << services.ui().prompts().join('|').toStdString();

    // The package holds the data file just written: opened elsewhere it gives the same values.
    const QString elsewhere = folder.makeFolder("Elsewhere");
    ASSERT_TRUE(ModJoinsSkins::OpenCountdownPackage(packagePath(), false, elsewhere));
    clsCountdown reopened;
    reopened.setDatabaseLocation(elsewhere);
    reopened.setCountdownFileName("Party.MVK");
    reopened.Refresh();
    EXPECT_EQ(carried(reopened), carried(original));
    EXPECT_EQ(folder.read("Elsewhere/" + original.ImageFileName()), QByteArray("picture bytes"));
}

INSTANTIATE_TEST_SUITE_P(BothWays, FormBindingRoundTrip, ::testing::Values(false, true),
                         [](const auto& testInfo) { return testInfo.param ? "Inverted" : "Plain"; });

TEST_F(FormBinding, SaveKeepsWhatTheWindowShowsOtherwiseThanStored)
{
    clsCountdown countdown;
    fillCountdown(countdown, false);
    prepareForSave(countdown);
    ApplyCountdownToForm(form, countdown);
    const QString before = kept(countdown);
    // The tick hides boxes whose value is 0; panel 2 is hidden without the designer program;
    // the caption's colours differ from the background's.
    form.c1eIntervalsLeft(2)->setVisible(false);
    form.c1eIntervalsLeft(5)->setVisible(false);
    ASSERT_FALSE(form.StatusBar1()->PanelVisible(2));

    SaveFormToCountdown(countdown, form, false);

    EXPECT_EQ(kept(countdown), before);
    EXPECT_EQ(countdown.BackgroundBackColor(), 0x223344);
    // Applying again shows the hidden boxes again.
    ApplyCountdownToForm(form, countdown);
    EXPECT_TRUE(form.c1eIntervalsLeft(2)->Visible());
    EXPECT_TRUE(form.c1eIntervalsLeft(5)->Visible());
}

TEST_F(FormBinding, OptionIconFollowsThePanelOnlyWithTheDesignerProgram)
{
    struct Case {
        bool designer, stored, expectShown;
        bool panelBeforeSave;
        bool expectSaved;
    };
    const Case cases[] = {
        {false, true, false, false, true},
        {false, false, false, true, false},
        {true, true, true, false, false},
        {true, false, false, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "designer " << c.designer << " stored " << c.stored);
        if (c.designer)
            putDesignerProgram();
        clsCountdown countdown;
        fillCountdown(countdown, false);
        countdown.setOptionIconVisible(c.stored);
        prepareForSave(countdown);
        ApplyCountdownToForm(form, countdown);
        EXPECT_EQ(form.StatusBar1()->PanelVisible(2), c.expectShown);
        form.StatusBar1()->setPanelVisible(2, c.panelBeforeSave);
        SaveFormToCountdown(countdown, form, false);
        EXPECT_EQ(countdown.OptionIconVisible(), c.expectSaved);
    }
}

TEST_F(FormBinding, YesNoAndNumberCaptionsReadAsVbDoes)
{
    struct Case {
        const char* caption;
        bool expected;
        int16_t number; // the caption's leading number as a direction and a layout
    };
    const Case cases[] = {
        {"True", true, 0}, {"false", false, 0}, {"FALSE", false, 0}, {"0", false, 0},
        {"-1", true, -1}, {"2", true, 2}, {" 7.5", true, 8}, {"6.5", true, 6},
    };
    clsCountdown countdown;
    fillCountdown(countdown, false);
    prepareForSave(countdown);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        ApplyCountdownToForm(form, countdown);
        form.lblPlaysoundToggle()->setCaption(c.caption);
        form.lblSaveToFile()->setCaption(c.caption);
        form.lblCountDirection()->setCaption(c.caption);
        form.lblLayout()->setCaption(c.caption);
        SaveFormToCountdown(countdown, form, false);
        EXPECT_EQ(countdown.AlarmSound(), c.expected);
        EXPECT_EQ(countdown.SaveToFile(), c.expected);
        EXPECT_EQ(countdown.CountDirection(), c.number);
        EXPECT_EQ(countdown.ViewFormat(), c.number);
    }
}

TEST_F(FormBinding, AMidnightEventDateTravelsAsTheDateAlone)
{
    clsCountdown countdown;
    fillCountdown(countdown, false);
    countdown.setEventDate(vb::cdate("2/29/2028"));
    prepareForSave(countdown);

    ApplyCountdownToForm(form, countdown);
    EXPECT_EQ(form.lblEventDate()->Caption(), "2/29/2028");
    countdown.setEventDate(0);
    SaveFormToCountdown(countdown, form, false);

    EXPECT_EQ(countdown.EventDate(), vb::cdate("2/29/2028 12:00:00 AM"));
}

TEST_F(FormBinding, BadFormContentsEndTheSaveBeforeAnythingIsPacked)
{
    struct Case {
        const char* what;
        std::function<void()> spoil;
        int error;
    };
    const Case cases[] = {
        {"not a date", [this] { form.lblEventDate()->setCaption("someday"); }, 13},
        {"sound toggle", [this] { form.lblPlaysoundToggle()->setCaption("Yes"); }, 13},
        {"export toggle", [this] { form.lblSaveToFile()->setCaption(""); }, 13},
        {"direction overflow", [this] { form.lblCountDirection()->setCaption("40000"); }, 6},
        {"layout overflow", [this] { form.lblLayout()->setCaption("-32769"); }, 6},
        {"missing control", [this] { form.c1eEventDate()->setObjectName("gone"); }, 424},
        {"zero-width screen", [this] { setScreen(0, 600); }, 11},
        {"zero-width screen, window at the left edge", [this] { setScreen(0, 600); form.setLeft(0); }, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        clsCountdown countdown;
        fillCountdown(countdown, false);
        setScreen(800, 600);
        form.c1eEventDate()->setObjectName("c1eEventDate");
        prepareForSave(countdown);
        ApplyCountdownToForm(form, countdown);
        c.spoil();
        int error = 0;
        try {
            SaveFormToCountdown(countdown, form, false);
        } catch (const platform::VbError& e) {
            error = e.number;
        }
        EXPECT_EQ(error, c.error);
        EXPECT_FALSE(packageExists());
        EXPECT_EQ(lastOpenTemplate(), QString());
    }
}

TEST_F(FormBinding, ApplyToAFormWithoutANamedControlRaisesObjectRequired)
{
    clsCountdown countdown;
    fillCountdown(countdown, false);
    form.lblSaveToFileLocation()->setObjectName("renamed");

    int error = 0;
    try {
        ApplyCountdownToForm(form, countdown);
    } catch (const platform::VbError& e) {
        error = e.number;
    }

    EXPECT_EQ(error, 424);
    EXPECT_EQ(form.lblSaveToFile()->Caption(), "True"); // the steps before stay done
}

TEST_F(FormBinding, ADataFileThatCannotBeWrittenIsNotPacked)
{
    clsCountdown countdown;
    fillCountdown(countdown, false);
    prepareForSave(countdown);
    countdown.setDatabaseLocation(folder.internalPath("no such folder\\deeper"));
    ApplyCountdownToForm(form, countdown);

    SaveFormToCountdown(countdown, form, false);

    EXPECT_FALSE(services.ui().msgBoxes.empty());
    EXPECT_FALSE(packageExists());
    EXPECT_EQ(lastOpenTemplate(), QString());
}

} // namespace

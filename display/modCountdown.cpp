#include "display/modCountdown.h"

#include "countdown/ModJoinsSkins.h"
#include "countdown/clsCountdown.h"
#include "display/CountdownForm.h"
#include "display/DisplayContext.h"
#include "display/ElasticPanel.h"
#include "display/FormControls.h"
#include "display/HiddenLabel.h"
#include "display/ProgramFolder.h"
#include "display/StatusBar.h"
#include "display/WindowRange.h"
#include "foundation/KeepOnScreen.h"
#include "foundation/ProgramTexts.h"
#include "foundation/ScreenMetrics.h"
#include "foundation/VbValues.h"
#include "foundation/clsPSFileUtilities.h"
#include "foundation/clsStringUtilities.h"
#include "platform/VbError.h"

#include <array>
#include <cmath>

namespace modCountdown {

namespace {

struct ScaleFactors {
    float kx = 1;
    float ky = 1;
    float kAvg = 1;
};

// Measures the shared screen metrics afresh, then the factors against the 800 x 600 screen.
ScaleFactors measureScaleFactors()
{
    modForm::MeasureScreenMetrics();
    ScaleFactors factors;
    factors.kx = static_cast<float>(modForm::ScreenWidthPixels / 800.0);
    factors.ky = static_cast<float>(modForm::ScreenHeightPixels / 600.0);
    factors.kAvg = (factors.kx + factors.ky) / 2.0f;
    return factors;
}

float scaledDown(double value, float factor)
{
    // As VB divides: nothing by zero is an overflow, anything else by zero a division by zero.
    if (factor == 0.0f && value == 0.0)
        throw platform::VbError(platform::vberr::Overflow);
    if (factor == 0.0f)
        throw platform::VbError(platform::vberr::DivisionByZero);
    return vb::csng(value / factor);
}

int16_t vbFlag(bool on)
{
    return on ? int16_t(-1) : int16_t(0);
}

ElasticPanel& panel(CountdownForm& form, const char* name)
{
    return *FormControls::panel(form, QString::fromLatin1(name));
}

ElasticPanel& box(CountdownForm& form, int index)
{
    return *FormControls::panel(form, QStringLiteral("c1eIntervalsLeft"), index);
}

HiddenLabel& label(CountdownForm& form, const char* name)
{
    return *FormControls::label(form, QString::fromLatin1(name));
}

StatusBar& statusBar(CountdownForm& form)
{
    return *FormControls::statusBar(form, QStringLiteral("StatusBar1"));
}

bool designerProgramExists()
{
    clsPSFileUtilities files;
    return files.FileExists(ProgramFolder::AppPath() + QStringLiteral("/Vantrel 5.0.exe"));
}

void applyFont(ElasticPanel& target, const QString& fontName, float size, int16_t bold, int16_t italic)
{
    target.setFontName(fontName);
    target.setFontSize(size);
    target.setFontBold(bold != 0);
    target.setFontItalic(italic != 0);
}

void applyColors(ElasticPanel& target, int32_t backColor, int32_t foreColor)
{
    target.setBackColor(backColor);
    target.setForeColor(foreColor);
}

// A new countdown's window: 600 by 450 pixels of the reference screen.
constexpr double kUsableWidthPixels = 600;
constexpr double kUsableHeightPixels = 450;
// A new countdown's font sizes: the event caption's, and the event date's and time-left boxes'.
constexpr float kUsableCaptionPoints = 10;
constexpr float kUsableDatePoints = 8;

void placeWindow(CountdownForm& form, const clsCountdown& countdown, const ScaleFactors& k)
{
    // Twips of the reference screen per pixel, as the stored geometry counts them.
    const double across = modForm::TwipsPerPixelX;
    const double down = modForm::TwipsPerPixelY;
    const QRect area = KeepOnScreen::workAreaPixels();
    const double areaWidth = area.width() * across;
    const double areaHeight = area.height() * down;
    const double reachAcross = (std::abs(area.left()) + area.width()) * across;
    const double reachDown = (std::abs(area.top()) + area.height()) * down;
    using namespace WindowRange;
    form.setTop(edge(countdown.Top(), k.ky, reachDown));
    form.setLeft(edge(countdown.Left(), k.kx, reachAcross));
    form.setWidth(side(countdown.Width(), k.kx, kSmallestUsableSidePixels * across, kUsableWidthPixels * across,
                       areaWidth));
    form.setHeight(side(countdown.Height(), k.ky, kSmallestUsableSidePixels * down, kUsableHeightPixels * down,
                        areaHeight));
    KeepOnScreen::keepOnScreen(form);
    DisplayContext::RememberedGeometry& remembered = DisplayContext::current().remembered;
    remembered.height = vb::clng(form.Height());
    remembered.left = vb::clng(form.Left());
    remembered.width = vb::clng(form.Width());
    form.setWindowState(countdown.State());
}

// The unit flags in box order: years, months, days, hours, minutes, seconds.
std::array<bool, 6> unitFlags(const clsCountdown& countdown)
{
    return {countdown.IntervalYears(), countdown.IntervalMonths(), countdown.IntervalDays(),
            countdown.IntervalHours(), countdown.IntervalMinutes(), countdown.IntervalSeconds()};
}

void applyStatusBar(CountdownForm& form, const clsCountdown& countdown)
{
    StatusBar& bar = statusBar(form);
    bar.setVisible(countdown.StatusBarVisible());
    bar.setPanelVisible(1, countdown.SoundIconVisible());
    bar.setPanelVisible(2, designerProgramExists() && countdown.OptionIconVisible());
    for (int index = 3; index <= 5; ++index)
        bar.setPanelVisible(index, countdown.CurrentTimeVisible());
    bar.setPanelVisible(6, countdown.StatusBarURLVisible());
    bar.setPanelText(6, countdown.StatusBarURLCaption());
}

void applyEventCaption(CountdownForm& form, const clsCountdown& countdown, float kAvg)
{
    ElasticPanel& caption = panel(form, "c1eEventCaption");
    caption.setCaption(countdown.EventCaption());
    caption.setVisible(countdown.EventCaptionVisible());
    applyFont(caption, countdown.EventCaptionFont(),
              WindowRange::fontSize(countdown.EventCaptionFontsize(), kAvg, kUsableCaptionPoints),
              countdown.EventCaptionFontBold(), countdown.EventCaptionFontItalic());
    applyColors(caption, countdown.EventCaptionBackColor(), countdown.EventCaptionForeColor());
}

void applyEventDate(CountdownForm& form, const clsCountdown& countdown, float kAvg)
{
    panel(form, "c1eEventDate").setCaption(vb::format(countdown.EventDate(), countdown.EventDateFormat()));
    label(form, "lblEventDate").setCaption(vb::dateText(countdown.EventDate()));
    label(form, "lblEventDateFormat").setCaption(countdown.EventDateFormat());
    ElasticPanel& date = panel(form, "c1eEventDate");
    date.setVisible(countdown.EventDateVisible());
    applyFont(date, countdown.EventDateFont(),
              WindowRange::fontSize(countdown.EventDateFontsize(), kAvg, kUsableDatePoints),
              countdown.EventDateFontBold(), countdown.EventDateFontItalic());
    applyColors(date, countdown.EventDateBackColor(), countdown.EventDateForeColor());
}

void applyTimeLeftBoxes(CountdownForm& form, const clsCountdown& countdown, float kAvg)
{
    box(form, 0).setBackColor(countdown.TimerDateBackColor());
    panel(form, "c1eCaptions").setBackColor(box(form, 0).BackColor());
    const float size = WindowRange::fontSize(countdown.TimerDateFontsize(), kAvg, kUsableDatePoints);
    for (int index = 1; index <= 6; ++index) {
        ElasticPanel& unitBox = box(form, index);
        applyFont(unitBox, countdown.TimerDateFont(), size, countdown.TimerDateFontBold(),
                  countdown.TimerDateFontItalic());
        applyColors(unitBox, countdown.TimerDateBackColor(), countdown.TimerDateForeColor());
    }
}

// Window geometry back to reference-screen twips; the state is stored as normal.
void saveGeometry(clsCountdown& countdown, const CountdownForm& form, const ScaleFactors& k)
{
    countdown.setTop(scaledDown(form.Top(), k.ky));
    countdown.setLeft(scaledDown(form.Left(), k.kx));
    countdown.setWidth(scaledDown(form.Width(), k.kx));
    countdown.setHeight(scaledDown(form.Height(), k.ky));
    countdown.setState(0);
}

void saveStatusBar(clsCountdown& countdown, CountdownForm& form)
{
    StatusBar& bar = statusBar(form);
    countdown.setSoundIconVisible(bar.PanelVisible(1));
    // Without the designer program panel 2 is always hidden; what it shows then says nothing
    // about the stored flag.
    if (designerProgramExists())
        countdown.setOptionIconVisible(bar.PanelVisible(2));
    countdown.setCurrentTimeVisible(bar.PanelVisible(3));
    countdown.setStatusBarVisible(bar.Visible());
    countdown.setStatusBarURLVisible(bar.PanelVisible(6));
    countdown.setStatusBarURLCaption(bar.PanelText(6));
    countdown.setStatusBarURL(label(form, "lblStatusbarURL").Caption());
}

void saveEventCaption(clsCountdown& countdown, CountdownForm& form, bool scaleFonts, float kAvg)
{
    const ElasticPanel& caption = panel(form, "c1eEventCaption");
    countdown.setEventCaptionFont(caption.FontName());
    countdown.setEventImageBackColor(panel(form, "c1eImage").BackColor());
    if (scaleFonts)
        countdown.setEventCaptionFontsize(scaledDown(caption.FontSize(), kAvg));
    countdown.setEventCaptionFontBold(vbFlag(caption.FontBold()));
    countdown.setEventCaptionFontItalic(vbFlag(caption.FontItalic()));
    countdown.setEventCaptionBackColor(caption.BackColor());
    countdown.setEventCaptionForeColor(caption.ForeColor());
}

void saveEventDate(clsCountdown& countdown, CountdownForm& form, bool scaleFonts, float kAvg)
{
    const ElasticPanel& date = panel(form, "c1eEventDate");
    countdown.setEventDateFont(date.FontName());
    if (scaleFonts)
        countdown.setEventDateFontsize(scaledDown(date.FontSize(), kAvg));
    countdown.setEventDateFontBold(vbFlag(date.FontBold()));
    countdown.setEventDateFontItalic(vbFlag(date.FontItalic()));
    countdown.setEventDateBackColor(date.BackColor());
    countdown.setEventDateForeColor(date.ForeColor());
}

// Box 1 stands for all six boxes.
void saveTimeLeftFont(clsCountdown& countdown, CountdownForm& form, bool scaleFonts, float kAvg)
{
    const ElasticPanel& first = box(form, 1);
    countdown.setTimerDateFont(first.FontName());
    if (scaleFonts)
        countdown.setTimerDateFontsize(scaledDown(first.FontSize(), kAvg));
    countdown.setTimerDateFontBold(vbFlag(first.FontBold()));
    countdown.setTimerDateFontItalic(vbFlag(first.FontItalic()));
    countdown.setTimerDateBackColor(first.BackColor());
    countdown.setTimerDateForeColor(first.ForeColor());
}

int16_t leadingNumber(const QString& text)
{
    return vb::cint(vb::val(text));
}

bool packAndRemember(const clsCountdown& countdown, CountdownForm& form)
{
    const QString packagePath = label(form, "lblTemplateFileName").Caption();
    if (!ModJoinsSkins::SaveCountdownPackage(packagePath, QStringLiteral("0"), QStringLiteral("0"), QString(),
                                             countdown.CountdownFileName(), countdown.ImageFileName(),
                                             countdown.AlarmFileName(), countdown.AdvertiserLogoFileName(),
                                             countdown.DatabaseLocation()))
        return false;
    clsStringUtilities settings;
    settings.PutIniString(ProgramTexts::kSettingsSection, ProgramTexts::kLastOpenTemplateKey, packagePath);
    return true;
}

} // namespace

int32_t RememberedLeft() { return DisplayContext::current().remembered.left; }
int32_t RememberedWidth() { return DisplayContext::current().remembered.width; }
int32_t RememberedHeight() { return DisplayContext::current().remembered.height; }

void ApplyCountdownToForm(CountdownForm& form, clsCountdown& countdown)
{
    label(form, "lblLayout").setCaption(QString::number(countdown.ViewFormat()));
    form.setWindowState(0);
    const ScaleFactors k = measureScaleFactors();
    if (countdown.State() == 0)
        placeWindow(form, countdown, k);

    label(form, "lblSoundFile").setCaption(countdown.AlarmFileName());
    label(form, "lblPlaysoundToggle").setCaption(vb::boolText(countdown.AlarmSound()));
    label(form, "lblLogoImage").setCaption(countdown.AdvertiserLogoFileName());
    ElasticPanel& logo = panel(form, "c1eAdvertiserLogo");
    logo.setBackColor(countdown.AdvertiserLogoBackColor());
    panel(form, "c1eTop").setBackColor(countdown.BackgroundBackColor());
    logo.setForeColor(countdown.EventCaptionForeColor());
    logo.setVisible(countdown.AdvertiserLogoVisible());
    ElasticPanel& image = panel(form, "c1eImage");
    image.setBackColor(countdown.EventImageBackColor());
    image.setForeColor(countdown.EventCaptionForeColor());
    label(form, "lblImageFileName").setCaption(countdown.ImageFileName());
    label(form, "lblCountDirection").setCaption(QString::number(countdown.CountDirection()));

    const std::array<bool, 6> flags = unitFlags(countdown);
    for (int index = 1; index <= 6; ++index)
        box(form, index).setVisible(flags[static_cast<size_t>(index - 1)]);

    applyStatusBar(form, countdown);
    label(form, "lblStatusbarURL").setCaption(countdown.StatusBarURL());
    applyEventCaption(form, countdown, k.kAvg);
    applyEventDate(form, countdown, k.kAvg);
    applyTimeLeftBoxes(form, countdown, k.kAvg);

    label(form, "lblSaveToFileFormat").setCaption(countdown.SaveFormat());
    label(form, "lblSaveToFile").setCaption(vb::boolText(countdown.SaveToFile()));
    label(form, "lblSaveToFileLocation").setCaption(countdown.SaveFileName());
}

bool SaveFormToCountdown(clsCountdown& countdown, CountdownForm& form, bool scaleFonts)
{
    const ScaleFactors k = measureScaleFactors();
    saveGeometry(countdown, form, k);

    countdown.setAdvertiserLogoBackColor(panel(form, "c1eAdvertiserLogo").BackColor());
    countdown.setCountDirection(leadingNumber(label(form, "lblCountDirection").Caption()));
    const ElasticPanel& caption = panel(form, "c1eEventCaption");
    countdown.setEventCaption(caption.Caption());
    countdown.setEventCaptionVisible(caption.Visible());
    countdown.setEventDate(vb::cdate(label(form, "lblEventDate").Caption()));
    countdown.setEventDateVisible(panel(form, "c1eEventDate").Visible());
    countdown.setEventDateFormat(label(form, "lblEventDateFormat").Caption());
    countdown.setAdvertiserLogoFileName(label(form, "lblLogoImage").Caption());
    countdown.setAdvertiserLogoVisible(panel(form, "c1eAdvertiserLogo").Visible());
    countdown.setAlarmFileName(label(form, "lblSoundFile").Caption());
    countdown.setAlarmSound(vb::cbool(label(form, "lblPlaysoundToggle").Caption()));
    countdown.setImageFileName(label(form, "lblImageFileName").Caption());
    // The unit flags stay as the countdown holds them: the tick hides a box while its value is
    // 0, so the boxes' visibility is no record of which units the countdown shows.

    saveStatusBar(countdown, form);
    saveEventCaption(countdown, form, scaleFonts, k.kAvg);
    saveEventDate(countdown, form, scaleFonts, k.kAvg);
    saveTimeLeftFont(countdown, form, scaleFonts, k.kAvg);
    // The background colour lives on c1eTop; the fore colour is shown by no control.
    countdown.setBackgroundBackColor(panel(form, "c1eTop").BackColor());

    countdown.setSaveFormat(label(form, "lblSaveToFileFormat").Caption());
    countdown.setSaveToFile(vb::cbool(label(form, "lblSaveToFile").Caption()));
    countdown.setSaveFileName(label(form, "lblSaveToFileLocation").Caption());
    countdown.setViewFormat(leadingNumber(label(form, "lblLayout").Caption()));

    if (form.WindowState() == 2)
        form.setWindowState(0);
    if (!countdown.Update())
        return false; // the failure has been shown; packing the old data file would hide it
    return packAndRemember(countdown, form);
}

} // namespace modCountdown

#include "display/CountdownForm.h"
#include "display/DisplayContext.h"
#include "display/ElasticPanel.h"
#include "display/FormControls.h"
#include "display/HiddenLabel.h"
#include "display/StatusBar.h"
#include "display/VbTimer.h"
#include "foundation/ProgramTexts.h"
#include "platform/VbError.h"
#include "support/FramedWindow.h"
#include "support/TestServices.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QMouseEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <ostream>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

// A form that records which handlers ran, in order.
class RecordingForm : public CountdownForm {
public:
    QStringList calls;
    void lblLayout_Change() override { calls << "lblLayout:" + lblLayout()->Caption(); }
    void lblSaveme_Change() override { calls << "lblSaveme"; }
    void lblPlaysound_Change() override { calls << "lblPlaysound"; }

protected:
    void Form_Resize() override { calls << "Form_Resize"; }
    void Form_Unload() override { calls << "Form_Unload"; }
    void Timer1_Timer() override { calls << "Timer1_Timer"; }
    void c1eImage_MouseDown(int button, int, float, float) override { calls << QString("c1eImage:%1").arg(button); }
    void StatusBar1_PanelClick(int index, const QString& key) override
    {
        calls << QString("panel:%1:%2").arg(index).arg(key);
    }
    void popMenuPlayAlarm_Click() override { calls << "popMenuPlayAlarm"; }
};

using FramedForm = FramedWindow<RecordingForm>;

int vbErrorNumber(const std::function<void()>& action, QString* description = nullptr)
{
    try {
        action();
    } catch (const platform::VbError& error) {
        if (description)
            *description = error.description;
        return error.number;
    }
    return 0;
}

void press(QWidget* widget, Qt::MouseButton button, QPoint pos)
{
    QMouseEvent event(QEvent::MouseButtonPress, QPointF(pos), widget->mapToGlobal(QPointF(pos)), button,
                      button, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

TEST(CountdownForm, OffersEveryPanelByNameInItsContainerWithItsFont)
{
    CountdownForm form;
    struct Case { const char* name; int index; const char* container; const char* font; };
    const Case cases[] = {
        {"c1eImage", -1, "CountdownForm", "MS Sans Serif"},
        {"c1eCaptions", -1, "CountdownForm", "MS Sans Serif"},
        {"c1eTop", -1, "c1eCaptions", "MS Sans Serif"},
        {"c1eEventCaption", -1, "c1eTop", "Arial"},
        {"c1eEventDate", -1, "c1eTop", "Arial"},
        {"c1eIntervalsLeft", 0, "c1eCaptions", "MS Sans Serif"},
        {"c1eIntervalsLeft", 1, "c1eIntervalsLeft", "Arial"},
        {"c1eIntervalsLeft", 6, "c1eIntervalsLeft", "Arial"},
        {"c1eAdvertiserLogo", -1, "c1eCaptions", "MS Sans Serif"},
    };
    for (const Case& c : cases) {
        ElasticPanel* panel = c.index < 0 ? FormControls::panel(form, c.name) : FormControls::panel(form, c.name, c.index);
        ASSERT_NE(panel, nullptr) << c.name;
        EXPECT_EQ(panel->objectName(), c.name);
        EXPECT_EQ(panel->Index(), c.index);
        EXPECT_EQ(panel->parentWidget()->objectName(), c.container) << c.name << c.index;
        EXPECT_EQ(panel->FontName(), c.font) << c.name << c.index;
        EXPECT_TRUE(panel->Visible()) << c.name;
    }
    EXPECT_EQ(FormControls::panel(form, "c1eIntervalsLeft", 4), form.c1eIntervalsLeft(4));
    EXPECT_EQ(FormControls::statusBar(form, "StatusBar1"), form.StatusBar1());
    EXPECT_EQ(FormControls::timer(form, "Timer1"), form.Timer1());
    EXPECT_EQ(form.Caption(), ProgramTexts::kProgramTitle);
}

TEST(CountdownForm, MissingControlsRaiseVbErrors)
{
    CountdownForm form;
    struct Case { std::function<void()> lookUp; int number; QString description; };
    const std::vector<Case> cases = {
        {[&] { FormControls::panel(form, "c1eIntervalsLeft", 7); }, 340, "Control array element '7' doesn't exist"},
        {[&] { FormControls::panel(form, "c1eIntervalsLeft", -1); }, 340, "Control array element '-1' doesn't exist"},
        {[&] { form.c1eIntervalsLeft(7); }, 340, "Control array element '7' doesn't exist"},
        {[&] { FormControls::panel(form, "c1eNothing"); }, 424, "Object required"},
        {[&] { FormControls::panel(form, "c1eNothing", 1); }, 424, "Object required"},
        {[&] { FormControls::panel(form, "c1eIntervalsLeft"); }, 424, "Object required"}, // array needs an index
        {[&] { FormControls::label(form, "c1eImage"); }, 424, "Object required"},       // wrong kind
        {[&] { FormControls::label(form, "lblNothing"); }, 424, "Object required"},
        {[&] { FormControls::control(form, ""); }, 424, "Object required"},
    };
    for (const Case& c : cases) {
        QString description;
        EXPECT_EQ(vbErrorNumber(c.lookUp, &description), c.number) << c.description.toStdString();
        EXPECT_EQ(description, c.description);
    }
}

TEST(CountdownForm, HiddenLabelsStartWithTheirDesignCaptions)
{
    CountdownForm form;
    const char* ownName[] = {"lblCountdownFileName", "lblTemplateFileName", "lblLoadme", "lblSaveme",
                             "lblLayout", "lblPlaysound", "lblPlaysoundToggle", "lblSoundFile",
                             "lblImageFileName", "lblLogoImage", "lblCountDirection", "lblSaveToFile",
                             "lblSaveToFileFormat", "lblSaveToFileLocation", "lblStatusbarURL", "lblChangesMade"};
    for (const char* name : ownName) {
        HiddenLabel* label = FormControls::label(form, name);
        EXPECT_EQ(label->Caption(), name);
        EXPECT_TRUE(label->isHidden());
    }
    EXPECT_EQ(FormControls::label(form, "lblEventDate")->Caption(), "apr 15, 2004");
    EXPECT_EQ(FormControls::label(form, "lblEventDateFormat")->Caption(), "dd mmm, yyyy");
    EXPECT_EQ(form.findChildren<HiddenLabel*>().size(), 18);
}

TEST(CountdownForm, StatusBarAndMenuHaveTheirDesign)
{
    CountdownForm form;
    struct Case { int index; QString text, key, tip; };
    const QString site = CountdownForm::kMakerWebSite;
    const Case cases[] = {
        {1, "", "PlaySound", "Play Sound"},
        {2, "Edit", "Start Countdown", "Edit Countdown"},
        {3, "Current Time:", "", ""},
        {6, "Your Url", "StatusbarURL", "Browse this URL"},
        {7, site, site, "Browse " + site},
    };
    for (const Case& c : cases) {
        const StatusBarPanel& panel = form.StatusBar1()->Panel(c.index);
        EXPECT_EQ(panel.Text, c.text) << c.index;
        EXPECT_EQ(panel.Key, c.key) << c.index;
        EXPECT_EQ(panel.ToolTipText, c.tip) << c.index;
    }
    for (int index = 1; index <= StatusBar::PanelCount; ++index) // a speaker and a pencil
        EXPECT_EQ(form.StatusBar1()->Panel(index).Picture.isNull(), index > 2) << index;
    EXPECT_EQ(form.StatusBar1()->Panel(4).style, StatusBarPanel::Style::Date);
    EXPECT_EQ(form.StatusBar1()->Panel(5).style, StatusBarPanel::Style::Time);

    const QList<QAction*> entries = form.popMenuStartup()->actions();
    ASSERT_EQ(entries.size(), 3);
    const std::pair<QString, QString> expected[] = {{"popRunMenuStartup", "&Run Startup Wizard"},
                                                    {"popMenuPlayAlarm", "&Play Alarm Sound"},
                                                    {"popRunMenuClsoe", "&Close"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(entries[i]->objectName(), expected[i].first);
        EXPECT_EQ(entries[i]->text(), expected[i].second);
    }
    EXPECT_EQ(form.popMenuStartup()->objectName(), "popMenuStartup");
}

TEST(CountdownForm, LabelHandlersRunInsideTheAssignmentOnlyOnChange)
{
    RecordingForm form;
    form.lblLayout()->setCaption("3");
    form.lblLayout()->setCaption("3");
    form.lblSaveme()->setCaption("12/10/2026 10:00:00 AM");
    form.lblPlaysound()->setCaption("12/10/2026 10:00:00 AM");
    form.lblPlaysound()->setCaption("12/10/2026 10:00:00 AM"); // same second: no second sound
    form.lblChangesMade()->setCaption("x");                   // no handler
    EXPECT_EQ(form.calls, (QStringList{"lblLayout:3", "lblSaveme", "lblPlaysound"}));
}

TEST(CountdownForm, TimerStartsIdleAndTicksTheHookOnceGivenAnInterval)
{
    RecordingForm form;
    EXPECT_EQ(form.Timer1()->Interval(), 0);
    EXPECT_TRUE(form.Timer1()->Enabled());
    EXPECT_FALSE(form.Timer1()->isTicking());
    form.Timer1()->setInterval(5);
    QEventLoop loop;
    QTimer::singleShot(50, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_TRUE(form.calls.contains("Timer1_Timer"));
}

TEST(CountdownForm, GeometryInTwipsAndClientAreaIncludingTheStatusBar)
{
    TestServices services; // 15 twips per pixel
    RecordingForm form;
    form.setWidth(3840);
    form.setHeight(3000);
    form.setLeft(1500);
    form.setTop(750);
    EXPECT_DOUBLE_EQ(form.Width(), 3840);
    EXPECT_DOUBLE_EQ(form.Height(), 3000);
    EXPECT_DOUBLE_EQ(form.Left(), 1500);
    EXPECT_DOUBLE_EQ(form.Top(), 750);
    form.setWidth(3847); // not a whole pixel: the window keeps whole pixels
    EXPECT_DOUBLE_EQ(form.Width(), 3840);
    form.show();
    EXPECT_FLOAT_EQ(form.ScaleWidth(), form.width() * 15.0f);
    EXPECT_FLOAT_EQ(form.ScaleHeight(), form.height() * 15.0f);
    const QRect bar = form.StatusBar1()->geometry();
    EXPECT_EQ(bar.bottom(), form.height() - 1);
    EXPECT_EQ(bar.width(), form.width());
    EXPECT_EQ(form.WindowState(), 0);
    EXPECT_TRUE(form.calls.contains("Form_Resize"));
    EXPECT_EQ(vbErrorNumber([&] { form.setWindowState(3); }), 380);
}

TEST(CountdownForm, InputEventsReachTheHandlers)
{
    TestServices services;
    // The close asks the program's end record whether the program is ending.
    DisplayContext context;
    RecordingForm form;
    form.c1eImage()->Move(0, 0, 3000, 3000);
    form.resize(400, 300);
    form.show();
    form.calls.clear();

    press(form.c1eImage(), Qt::RightButton, QPoint(5, 5));
    const StatusBar* bar = form.StatusBar1();
    press(const_cast<StatusBar*>(bar), Qt::LeftButton, QPoint(3, bar->height() / 2));
    form.popMenuPlayAlarm()->trigger();
    form.close();
    EXPECT_EQ(form.calls, (QStringList{"c1eImage:2", "panel:1:PlaySound", "popMenuPlayAlarm", "Form_Unload"}));
}

TEST(CountdownForm, AFrameArrivingAfterShowingKeepsTheOuterGeometryItWasGiven)
{
    TestServices services; // 15 twips per pixel
    const QMargins frame(4, 24, 4, 4);
    struct Case { const char* name; int16_t state; bool placedAgain; };
    const Case cases[] = {{"normal", 0, true}, {"maximised", 2, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FramedForm form;
        form.setTop(750);
        form.setLeft(1500);
        form.setWidth(6000);
        form.setHeight(4500);
        form.show();
        form.setWindowState(c.state);
        const QSize inside = form.size();
        form.frameArrives(frame);
        if (c.placedAgain) {
            EXPECT_DOUBLE_EQ(form.Left(), 1500);
            EXPECT_DOUBLE_EQ(form.Top(), 750);
            EXPECT_DOUBLE_EQ(form.Width(), 6000);
            EXPECT_DOUBLE_EQ(form.Height(), 4500);
            EXPECT_EQ(form.size(), QSize(400 - 8, 300 - 28));
        } else {
            EXPECT_EQ(form.size(), inside);
        }
    }

    // Once the frame is known, the window is the user's: a later change of the frame keeps the
    // size the window has, and the setters account for the frame.
    FramedForm form;
    form.show();
    form.frameArrives(frame);
    form.resize(300, 200);
    form.frameArrives(QMargins(6, 30, 6, 6));
    EXPECT_EQ(form.size(), QSize(300, 200));
    form.setWidth(6000);
    EXPECT_DOUBLE_EQ(form.Width(), 6000);
    EXPECT_EQ(form.width(), 400 - 12);
}

TEST(CountdownForm, PicturePanelsShowTheirPicturesBeforeTheirText)
{
    TestServices services;
    CountdownForm form;
    form.resize(600, 300);
    form.show();
    StatusBar& bar = *form.StatusBar1();
    const QImage shown = bar.grab().toImage();
    const QColor background = bar.palette().window().color();
    // The columns of a panel where something other than the background is drawn.
    auto drawnColumns = [&](int index) {
        int first = -1, count = 0;
        const int middle = bar.height() / 2;
        for (int x = 0; x < shown.width(); ++x) {
            if (bar.panelAt(QPoint(x, middle)) != index)
                continue;
            for (int y = 4; y < bar.height() - 4; ++y) {
                if (shown.pixelColor(x, y) != background) {
                    if (first < 0)
                        first = x;
                    ++count;
                    break;
                }
            }
        }
        return std::pair{first, count};
    };
    EXPECT_GT(drawnColumns(1).second, bar.pictureSide() / 2); // no text: the speaker alone
    // The pencil takes room of its own before "Edit".
    QFontMetrics metrics(bar.font());
    int panel2Width = 0;
    for (int x = 0; x < bar.width(); ++x)
        panel2Width += bar.panelAt(QPoint(x, bar.height() / 2)) == 2;
    EXPECT_GE(panel2Width, metrics.horizontalAdvance("Edit") + bar.pictureSide());
    EXPECT_GT(drawnColumns(2).second, metrics.horizontalAdvance("Edit"));
}

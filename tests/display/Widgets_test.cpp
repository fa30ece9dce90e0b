#include "display/ElasticPanel.h"
#include "display/HiddenLabel.h"
#include "display/StatusBar.h"
#include "display/VbTimer.h"
#include "foundation/OleDate.h"
#include "foundation/VbValues.h"
#include "platform/VbError.h"
#include "support/FixedClock.h"
#include "support/TestServices.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <ostream>
#include <vector>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

void runEventsFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

void sendMouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint pos)
{
    QMouseEvent event(type, QPointF(pos), widget->mapToGlobal(QPointF(pos)), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button),
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

TEST(ElasticPanel, KeepsGeometryAsAssignedAndPlacesWholePixels)
{
    TestServices services;
    services.screen().twipsX = 15;
    services.screen().twipsY = 12;
    QWidget parent;
    ElasticPanel panel("c1eTest", &parent);
    panel.Move(100.4, 333.3, 1000.5, -250);
    EXPECT_DOUBLE_EQ(panel.Left(), 100.4);
    EXPECT_DOUBLE_EQ(panel.Top(), 333.3);
    EXPECT_DOUBLE_EQ(panel.Width(), 1000.5);
    EXPECT_DOUBLE_EQ(panel.Height(), -250); // reads back what the layout wrote
    EXPECT_EQ(panel.geometry(), QRect(7, 28, 66, 0)); // right edge 1100.9 twips is pixel 73; height clamped to 0
    panel.setHeight(panel.Height());
    EXPECT_DOUBLE_EQ(panel.Height(), -250);
}

TEST(ElasticPanel, StackedBoxesMeetWithoutSeamsOrOverlaps)
{
    // Box heights that are not whole pixels: rounding each height apart would open or close a
    // pixel between neighbours; rounding the edges keeps every bottom on the next box's top.
    struct Case { double twipsPerPixel; double top; double height; int boxes; };
    const Case cases[] = {
        {15, 0, 337.5, 6},     // 22.5 px each: halves go to the even neighbour
        {15, 7.5, 1000.0 / 3, 9},
        {12, 100.4, 250.7, 6},
        {20, 0, 10, 8},        // half-pixel boxes
    };
    for (const Case& c : cases) {
        TestServices services;
        services.screen().twipsX = c.twipsPerPixel;
        services.screen().twipsY = c.twipsPerPixel;
        QWidget parent;
        std::vector<std::unique_ptr<ElasticPanel>> boxes;
        for (int i = 0; i < c.boxes; ++i) {
            boxes.push_back(std::make_unique<ElasticPanel>("c1eBox", &parent, i));
            const double edge = c.top + i * c.height;
            boxes.back()->Move(edge, edge, c.height, c.height); // a diagonal of touching boxes
        }
        for (int i = 0; i + 1 < c.boxes; ++i) {
            const QRect a = boxes[i]->geometry();
            const QRect b = boxes[i + 1]->geometry();
            EXPECT_EQ(a.top() + a.height(), b.top()) << c.twipsPerPixel << " box " << i;
            EXPECT_EQ(a.left() + a.width(), b.left()) << c.twipsPerPixel << " box " << i;
        }
        const QRect last = boxes.back()->geometry();
        const double end = c.top + c.boxes * c.height;
        EXPECT_EQ(last.top() + last.height(), static_cast<int>(std::nearbyint(end / c.twipsPerPixel)));
    }
}

TEST(ElasticPanel, VisibleFlagIsItsOwnBeforeTheWindowIsShown)
{
    QWidget window;
    ElasticPanel panel("c1eTest", &window);
    EXPECT_TRUE(panel.Visible());
    EXPECT_FALSE(panel.isVisible()); // Qt's view: the window is not shown yet
    panel.setVisible(false);
    EXPECT_FALSE(panel.Visible());
    panel.setVisible(true);
    EXPECT_TRUE(panel.Visible());
    window.show();
    EXPECT_TRUE(panel.isVisible());
}

TEST(ElasticPanel, ResolvesVbColours)
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Text, QColor(4, 5, 6));
    palette.setColor(QPalette::Button, QColor(7, 8, 9));
    struct Case { uint32_t vb; QColor expected; };
    const Case cases[] = {
        {0x000000FFu, QColor(255, 0, 0)},
        {0x0000FF00u, QColor(0, 255, 0)},
        {0x00FF0000u, QColor(0, 0, 255)},
        {0x00123456u, QColor(0x56, 0x34, 0x12)},
        {0x80000005u, QColor(1, 2, 3)}, // window background
        {0x80000008u, QColor(4, 5, 6)}, // window text
        {0x8000000Fu, QColor(7, 8, 9)}, // button face
    };
    for (const Case& c : cases) {
        EXPECT_EQ(resolveVbColor(static_cast<int32_t>(c.vb), palette), c.expected) << std::hex << c.vb;
        if (!(c.vb & 0x80000000u)) {
            EXPECT_EQ(static_cast<uint32_t>(vbColorFromQColor(c.expected)), c.vb);
        }
    }
}

TEST(ElasticPanel, RaisesMouseEventsWithVbButtonsAndTwips)
{
    TestServices services;
    QWidget window;
    ElasticPanel panel("c1eImage", &window);
    panel.Move(0, 0, 3000, 3000);
    std::vector<std::tuple<int, float, float>> downs;
    int clicks = 0;
    QObject::connect(&panel, &ElasticPanel::MouseDown,
                     [&](int button, int, float x, float y) { downs.emplace_back(button, x, y); });
    QObject::connect(&panel, &ElasticPanel::Click, [&] { ++clicks; });

    sendMouse(&panel, QEvent::MouseButtonPress, Qt::RightButton, QPoint(10, 20));
    sendMouse(&panel, QEvent::MouseButtonRelease, Qt::RightButton, QPoint(10, 20));
    sendMouse(&panel, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(1, 2));
    sendMouse(&panel, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(1, 2));

    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0], std::make_tuple(2, 150.0f, 300.0f));
    EXPECT_EQ(std::get<0>(downs[1]), 1);
    EXPECT_EQ(clicks, 1); // only the left button clicks
}

// A window that keeps the focus and counts the keys that reach it.
class KeyCountingWindow : public QWidget {
public:
    KeyCountingWindow() { setFocusPolicy(Qt::StrongFocus); }
    int keys = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        ++keys;
        event->accept();
    }
};

TEST(ElasticPanel, NeverTakesTheFocusAndPassesKeysOnToItsWindow)
{
    TestServices services;
    KeyCountingWindow window;
    ElasticPanel outer("c1eCaptions", &window);
    outer.Move(0, 0, 3000, 3000);
    ElasticPanel inner("c1eIntervalsLeft", &outer, 1);
    inner.Move(0, 0, 1500, 1500);
    int panelKeys = 0;
    QObject::connect(&inner, &ElasticPanel::KeyDown, [&](int, int) { ++panelKeys; });
    window.show();
    QApplication::setActiveWindow(&window);
    window.setFocus();

    QTest::mouseClick(&inner, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseClick(&outer, Qt::LeftButton, Qt::NoModifier, QPoint(150, 150));
    EXPECT_EQ(QApplication::focusWidget(), &window);

    QTest::keyClick(&inner, Qt::Key_Escape);
    EXPECT_EQ(panelKeys, 1); // the panel still raises its own event
    EXPECT_EQ(window.keys, 1);
}

// A caption taller than its panel keeps its first line: only what does not fit is lost, at the
// bottom. A caption that fits stays centred.
TEST(ElasticPanel, ACaptionThatOverflowsKeepsItsFirstLineVisible)
{
    const auto inkRows = [](const QString& caption, int height) {
        QWidget window;
        ElasticPanel panel("c1eEventCaption", &window);
        panel.setBackColor(0x00FFFFFF);
        panel.setForeColor(0x00000000);
        panel.setFontSize(12);
        panel.resize(300, height);
        panel.setCaption(caption);
        const QImage shot = panel.grab().toImage();
        QList<int> rows;
        for (int y = 0; y < shot.height(); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (qGray(shot.pixel(x, y)) < 128) {
                    rows << y;
                    break;
                }
        return rows;
    };
    const QList<int> overflowing = inkRows(QStringLiteral("First words\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nlast"), 60);
    ASSERT_FALSE(overflowing.isEmpty()) << "the first line is cut off";
    // A line cut at the panel's top edge leaves ink in row 0; the whole first line starts below it.
    EXPECT_GT(overflowing.first(), 0);
    EXPECT_LT(overflowing.first(), 20);
    EXPECT_GE(overflowing.size(), 8) << "the first line shows whole";

    const QList<int> fitting = inkRows(QStringLiteral("One line"), 200);
    ASSERT_FALSE(fitting.isEmpty());
    EXPECT_GT(fitting.first(), 70);
    EXPECT_LT(fitting.last(), 130);
}

TEST(ElasticPanel, FillPercentStaysWithinTheBar)
{
    ElasticPanel panel("c1eProgress");
    for (auto [given, kept] : {std::pair{-5.0, 0.0}, {42.5, 42.5}, {140.0, 100.0}}) {
        panel.setFillPercent(given);
        EXPECT_DOUBLE_EQ(panel.FillPercent(), kept);
    }
}

TEST(HiddenLabel, StartsWithItsDesignCaptionAndFiresOnlyOnChangedText)
{
    HiddenLabel label("lblSaveme");
    EXPECT_EQ(label.Caption(), "lblSaveme");
    EXPECT_TRUE(label.isHidden());
    QStringList seenInHandler;
    QObject::connect(&label, &HiddenLabel::Change, [&] { seenInHandler << label.Caption(); });

    label.setCaption("12/10/2026 10:00:00 AM");
    EXPECT_EQ(seenInHandler, QStringList{"12/10/2026 10:00:00 AM"}); // ran inside the assignment
    label.setCaption("12/10/2026 10:00:00 AM");
    label.setCaption("12/10/2026 10:00:01 AM");
    label.setCaption("");
    EXPECT_EQ(seenInHandler, (QStringList{"12/10/2026 10:00:00 AM", "12/10/2026 10:00:01 AM", ""}));

    HiddenLabel dated("lblEventDate", nullptr, "apr 15, 2004");
    EXPECT_EQ(dated.Caption(), "apr 15, 2004");
}

TEST(VbTimer, TicksOnlyWhenEnabledWithAnInterval)
{
    struct Case { int interval; bool enabled; bool ticks; };
    const Case cases[] = {{0, true, false}, {5, true, true}, {5, false, false}};
    for (const Case& c : cases) {
        VbTimer timer("Timer1");
        int ticks = 0;
        QObject::connect(&timer, &VbTimer::Timer, [&] { ++ticks; });
        timer.setEnabled(c.enabled);
        timer.setInterval(c.interval);
        runEventsFor(60);
        EXPECT_EQ(ticks > 0, c.ticks) << c.interval << " " << c.enabled;
        EXPECT_EQ(timer.Interval(), c.interval);
        EXPECT_EQ(timer.Enabled(), c.enabled);
    }
}

TEST(VbTimer, StopsWhenDisabledAndRefusesBadIntervals)
{
    VbTimer timer("Timer1");
    int ticks = 0;
    QObject::connect(&timer, &VbTimer::Timer, [&] {
        ++ticks;
        timer.setEnabled(false); // a handler switching its timer off gets no further tick
    });
    timer.setInterval(1);
    runEventsFor(40);
    EXPECT_EQ(ticks, 1);
    for (int bad : {-1, 65536}) {
        try {
            timer.setInterval(bad);
            ADD_FAILURE() << bad;
        } catch (const platform::VbError& error) {
            EXPECT_EQ(error.number, 380);
        }
    }
    EXPECT_EQ(timer.Interval(), 1);
}

TEST(StatusBar, ClockPanelsShowTheCurrentDateAndTime)
{
    TestServices services;
    FixedClock clock(vb::oleDateFromParts(2026, 12, 10, 15, 4, 5));
    StatusBar bar("StatusBar1");
    bar.setPanelText(4, "ignored");
    EXPECT_EQ(bar.shownText(4), "12/10/2026");
    EXPECT_EQ(bar.shownText(5), "3:04:05 PM");
    bar.setPanelText(6, "Your Url");
    EXPECT_EQ(bar.shownText(6), "Your Url");
    clock.set(vb::oleDateFromParts(2027, 1, 2, 9, 0, 0));
    EXPECT_EQ(bar.shownText(4), "1/2/2027");
}

TEST(StatusBar, PanelClickCarriesTheKeyAndHiddenPanelsTakeNoRoom)
{
    TestServices services;
    StatusBar bar("StatusBar1");
    bar.resize(600, bar.height());
    bar.Panel(1).Key = "PlaySound";
    bar.Panel(2).Text = "Edit";
    bar.Panel(2).Key = "Start Countdown";
    std::vector<std::pair<int, QString>> clicks;
    QObject::connect(&bar, &StatusBar::PanelClick, [&](int i, const QString& key) { clicks.emplace_back(i, key); });

    sendMouse(&bar, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(3, 5));
    bar.setPanelVisible(1, false);
    EXPECT_FALSE(bar.PanelVisible(1));
    sendMouse(&bar, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(3, 5));
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[0], std::make_pair(1, QString("PlaySound")));
    EXPECT_EQ(clicks[1], std::make_pair(2, QString("Start Countdown")));

    EXPECT_THROW(bar.Panel(0), platform::VbError);
    EXPECT_THROW(bar.Panel(8), platform::VbError);
}

TEST(StatusBar, HeightInTwipsAndOwnVisibleFlag)
{
    TestServices services;
    services.screen().twipsY = 12;
    QWidget window;
    StatusBar bar("StatusBar1", &window);
    EXPECT_DOUBLE_EQ(bar.Height(), bar.height() * 12.0);
    EXPECT_TRUE(bar.Visible());
    bar.setVisible(false);
    EXPECT_FALSE(bar.Visible());
}

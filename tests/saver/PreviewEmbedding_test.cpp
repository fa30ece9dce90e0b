#include "display/ProgramEnd.h"
#include "foundation/ProgramTexts.h"
#include "platform/QtWindows.h"
#include "support/WaitUntil.h"
#include "saver/SaverContext.h"
#include "saver/frmPreview.h"
#include "saver/modVantrelnScreenSaver.h"
#include "support/OnRealX.h"
#include "support/TestServices.h"

#include <QApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

namespace ss = modVantrelnScreenSaver;

namespace {

// The X windows directly below `parent`, as the X server lists them.
QString xChildren(WId parent)
{
    QProcess xwininfo;
    xwininfo.start("xwininfo", {"-children", "-id", QString::number(parent)});
    if (!xwininfo.waitForFinished(10000))
        return {};
    return QString::fromLocal8Bit(xwininfo.readAllStandardOutput());
}

// What the X server says of `window`: map state, size and position.
QString xWindowInfo(WId window)
{
    QProcess xwininfo;
    xwininfo.start("xwininfo", {"-id", QString::number(window)});
    if (!xwininfo.waitForFinished(10000))
        return {};
    return QString::fromLocal8Bit(xwininfo.readAllStandardOutput());
}

// The test services with the real X window services, and a screen saver not yet started.
struct PreviewRun {
    PreviewRun()
    {
        platform::Services installed = platform::services();
        installed.windows = &windows;
        platform::setServices(installed);
    }
    TestServices services;
    platform::QtWindows windows;
    // Made last, so its windows close before the services they were shown with.
    SaverContext context;
};

TEST(PreviewEmbedding, ThePreviewBecomesAChildOfTheGivenXWindowAndEndsWithIt)
{
    if (ranOnRealX())
        return;

    PreviewRun run;
    TestServices& services = run.services;
    TempFolder folder;
    services.settings().put(ProgramTexts::kSettingsApplication, ProgramTexts::kSettingsSection, ProgramTexts::kAppPathKey, folder.internal());
    services.settings().put(ProgramTexts::kSettingsApplication, ProgramTexts::kSettingsSection, ProgramTexts::kLastOpenTemplateKey,
                            folder.internalPath("Party.MVL"));

    auto parent = std::make_unique<QWidget>();
    parent->setWindowTitle("Preview area");
    parent->resize(200, 150);
    parent->show();
    const WId parentId = parent->winId();
    ASSERT_TRUE(waitUntil([&] { return parent->windowHandle()->isExposed(); }, 10000));

    ss::Main("/p " + QString::number(parentId));
    ASSERT_FALSE(ss::PreviewWindow().isNull());
    frmPreview& preview = *ss::PreviewWindow();
    EXPECT_EQ(ss::PreviewParent(), static_cast<int32_t>(parentId));
    ASSERT_NE(preview.windowHandle(), nullptr);
    ASSERT_NE(preview.windowHandle()->parent(), nullptr);
    EXPECT_EQ(preview.windowHandle()->parent()->winId(), parentId);
    EXPECT_EQ(preview.size(), QSize(200, 150));
    EXPECT_FALSE(preview.isActiveWindow());

    const QString hexId = QStringLiteral("0x%1").arg(preview.winId(), 0, 16);
    EXPECT_TRUE(waitUntil([&] { return xChildren(parentId).contains(hexId); }, 5000))
        << hexId.toStdString() << " not in\n" << xChildren(parentId).toStdString();
    // Qt may think the window shown while the X server never mapped or sized it.
    EXPECT_TRUE(waitUntil(
        [&] {
            const QString info = xWindowInfo(preview.winId());
            return info.contains("IsViewable") && info.contains("Width: 200") && info.contains("Height: 150");
        },
        5000))
        << xWindowInfo(preview.winId()).toStdString();
    EXPECT_FALSE(ProgramEnd::isEnding());

    // The preview area closes: the preview ends the program.
    parent.reset();
    EXPECT_TRUE(waitUntil([] { return ProgramEnd::isEnding(); }, 5000));
}

// The root window is the whole desktop, no preview area: the preview ends at once.
TEST(PreviewEmbedding, TheRootWindowGetsNoPreview)
{
    if (ranOnRealX())
        return;
    PreviewRun run;

    QProcess xwininfo;
    xwininfo.start("xwininfo", {"-root"});
    ASSERT_TRUE(xwininfo.waitForFinished(10000));
    const QRegularExpressionMatch id =
        QRegularExpression("Window id: (0x[0-9a-f]+)").match(QString::fromLocal8Bit(xwininfo.readAllStandardOutput()));
    ASSERT_TRUE(id.hasMatch());
    const QString rootId = QString::number(id.captured(1).toULongLong(nullptr, 16));

    ss::Main("/p " + rootId);
    EXPECT_TRUE(ss::PreviewWindow().isNull());
    EXPECT_FALSE(ss::HasWindow());
    const QWidgetList windowsLeft = QApplication::topLevelWidgets();
    EXPECT_TRUE(std::none_of(windowsLeft.cbegin(), windowsLeft.cend(), [](const QWidget* w) { return w->isVisible(); }));
}

// The preview lives as long as its parent: the parent's existence and size come from the X
// server whatever the parent shows, also while it is unmapped or off the screen.
TEST(PreviewEmbedding, AForeignWindowExistsWithItsSizeUntilItIsDestroyed)
{
    if (ranOnRealX())
        return;
    platform::QtWindows windows;
    auto parent = std::make_unique<QWidget>();
    parent->resize(200, 150);
    parent->show();
    const WId id = parent->winId();
    ASSERT_TRUE(waitUntil([&] { return parent->windowHandle()->isExposed(); }, 10000));

    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    struct Case {
        const char* state;
        std::function<void(QWidget&)> change;
        QSize expected;
    } const cases[] = {
        {"shown", [](QWidget&) {}, QSize(200, 150)},
        {"resized", [](QWidget& w) { w.resize(240, 90); }, QSize(240, 90)},
        {"unmapped", [](QWidget& w) { w.hide(); }, QSize(240, 90)},
        {"partly off the screen",
         [screen](QWidget& w) {
             w.move(screen.right() - 40, screen.bottom() - 30);
             w.show();
         },
         QSize(240, 90)},
        {"wholly off the screen", [screen](QWidget& w) { w.move(screen.right() + 100, screen.bottom() + 100); },
         QSize(240, 90)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.state);
        c.change(*parent);
        EXPECT_TRUE(waitUntil([&] { return windows.foreignClientSize(id) == c.expected; }, 5000))
            << windows.foreignClientSize(id).width() << " x " << windows.foreignClientSize(id).height();
        EXPECT_TRUE(windows.foreignWindowExists(id));
    }

    parent.reset();
    EXPECT_TRUE(waitUntil([&] { return !windows.foreignWindowExists(id); }, 5000));
    EXPECT_FALSE(windows.foreignClientSize(id).isValid());
    EXPECT_FALSE(windows.foreignWindowExists(0));
}

} // namespace

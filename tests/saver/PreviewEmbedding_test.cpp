#include "display/ProgramEnd.h"
#include "platform/QtWindows.h"
#include "saver/frmPreview.h"
#include "saver/modVantrelnScreenSaver.h"
#include "support/OnRealX.h"
#include "support/TestServices.h"
#include "SaverTestSupport.h"

#include <QProcess>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

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

TEST(PreviewEmbedding, ThePreviewBecomesAChildOfTheGivenXWindowAndEndsWithIt)
{
    if (ranOnRealX())
        return;

    TestServices services;
    platform::QtWindows windows;
    platform::Services installed = platform::services();
    installed.windows = &windows;
    platform::setServices(installed);
    ProgramEnd::reset();
    ss::Reset();
    TempFolder folder;
    services.settings().put("Vantrel Dederuvevur, LLC", "VazovuzAzodozaruVuzaz", "AppPath", folder.internal());
    services.settings().put("Vantrel Dederuvevur, LLC", "VazovuzAzodozaruVuzaz", "LastOpenTemplate",
                            folder.internalPath("Party.MVL"));

    auto parent = std::make_unique<QWidget>();
    parent->setWindowTitle("Preview area");
    parent->resize(200, 150);
    parent->show();
    const WId parentId = parent->winId();
    ASSERT_TRUE(waitUntil([&] { return parent->windowHandle()->isExposed(); }, 10000));

    ss::Main("/p " + QString::number(parentId));
    ASSERT_FALSE(ss::PreviewWindow.isNull());
    frmPreview& preview = *ss::PreviewWindow;
    EXPECT_EQ(ss::PreviewParent, static_cast<int32_t>(parentId));
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

    ss::Reset();
    ProgramEnd::reset();
}

} // namespace

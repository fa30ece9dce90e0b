#include "saver/SaverWindows.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace saver {

QSize SaverWindows::foreignClientSize(quintptr windowId)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return inner_.foreignClientSize(windowId);
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || windowId == 0)
        return {};
    const QSize size = screen->grabWindow(static_cast<WId>(windowId)).size();
    return size.isEmpty() ? QSize() : size;
}

bool SaverWindows::foreignWindowExists(quintptr windowId)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return inner_.foreignWindowExists(windowId);
    return foreignClientSize(windowId).isValid();
}

} // namespace saver

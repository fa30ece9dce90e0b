#pragma once

#include <QRect>

#include <optional>

// Keeps a window's outer rectangle inside the screen's work area (the desktop less its panels).
namespace KeepOnScreen {

// `outer` moved inside `area` by the least distance, and shrunk to the area's size along a
// side only where it is larger than the area. An empty area leaves the rectangle as it is.
QRect fittedInside(const QRect& outer, const QRect& area);

// The Screen service's work area in pixels; the whole screen when it reports none.
QRect workAreaPixels();

// A window's outer rectangle in twips.
struct TwipsRect {
    double left;
    double top;
    double width;
    double height;
};

// The rectangle in twips that a window placed at `placed` takes to lie inside the work area,
// or nothing when it lies there already. Pixels are the Screen service's.
std::optional<TwipsRect> fittedTwips(const TwipsRect& placed);

// Moves a window whose outer rectangle leaves the work area back inside it, shrinking it only
// where it cannot fit. `Form` has VB's Left, Top, Width and Height in twips, with setters.
template <class Form> void keepOnScreen(Form& form)
{
    const std::optional<TwipsRect> fitted = fittedTwips({form.Left(), form.Top(), form.Width(), form.Height()});
    if (!fitted)
        return;
    form.setWidth(fitted->width);
    form.setHeight(fitted->height);
    form.setLeft(fitted->left);
    form.setTop(fitted->top);
}

} // namespace KeepOnScreen

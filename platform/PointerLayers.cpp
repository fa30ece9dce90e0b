#include "platform/PointerLayers.h"

#include <QCursor>
#include <QGuiApplication>

#include <algorithm>
#include <utility>
#include <vector>

namespace platform::pointerLayers {

namespace {

struct Layers {
    std::vector<std::pair<Layer, Qt::CursorShape>> shapes; // oldest first
    Layer lastLayer = 0;
    // Whether the one override cursor that shows the newest layer is set.
    bool overriding = false;
};

Layers& layers()
{
    static Layers all;
    return all;
}

// All layers share one entry of Qt's override stack, set to the newest layer's shape.
void showNewest()
{
    Layers& all = layers();
    if (all.shapes.empty()) {
        if (all.overriding)
            QGuiApplication::restoreOverrideCursor();
        all.overriding = false;
        return;
    }
    const Qt::CursorShape shape = all.shapes.back().second;
    if (!all.overriding)
        QGuiApplication::setOverrideCursor(shape);
    else
        QGuiApplication::changeOverrideCursor(shape);
    all.overriding = true;
}

} // namespace

Layer add(Qt::CursorShape shape)
{
    Layers& all = layers();
    const Layer layer = ++all.lastLayer;
    all.shapes.emplace_back(layer, shape);
    showNewest();
    return layer;
}

void change(Layer layer, Qt::CursorShape shape)
{
    for (auto& [held, heldShape] : layers().shapes)
        if (held == layer)
            heldShape = shape;
    showNewest();
}

void remove(Layer layer)
{
    auto& shapes = layers().shapes;
    const auto end = std::remove_if(shapes.begin(), shapes.end(), [layer](const auto& held) { return held.first == layer; });
    if (end == shapes.end())
        return;
    shapes.erase(end, shapes.end());
    showNewest();
}

} // namespace platform::pointerLayers

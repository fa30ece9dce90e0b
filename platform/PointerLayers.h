#pragma once

#include <Qt>

// The pointer shapes that parts of the program lay over the windows' own (a busy pointer, the
// ordinary one while a dialog is up, the screen saver's hidden one). Each part holds a layer of
// its own and the newest layer shows. Taking a layer away leaves the others as they were, in
// whatever order the parts end: Qt's own override cursors form a stack whose restore always takes
// the top, which shows the wrong pointer when two parts end out of order.
namespace platform::pointerLayers {

// 0 stands for no layer.
using Layer = int;

Layer add(Qt::CursorShape shape);
void change(Layer layer, Qt::CursorShape shape);
// Does nothing for 0 or a layer already taken away.
void remove(Layer layer);

// A layer for the lifetime of a scope.
class Scoped {
public:
    explicit Scoped(Qt::CursorShape shape) : m_layer(add(shape)) {}
    ~Scoped() { remove(m_layer); }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;

private:
    Layer m_layer;
};

} // namespace platform::pointerLayers

#include "platform/X11WindowState.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace platform::x11 {

namespace {

// xcb replies are malloc'ed.
template <class Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;
template <class Reply> ReplyPtr<Reply> owned(Reply* reply) { return ReplyPtr<Reply>(reply, &std::free); }

constexpr uint32_t kRemove = 0;
constexpr uint32_t kAdd = 1;
constexpr uint32_t kSourceApplication = 1;

// The application's own connection to the X server; none when it is not on X11.
xcb_connection_t* qtConnection()
{
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// An id that names no window gets an error in place of a reply; it is dropped here rather than
// reported on the application's event queue.
ReplyPtr<xcb_get_geometry_reply_t> geometry(xcb_connection_t* connection, xcb_window_t window)
{
    xcb_generic_error_t* error = nullptr;
    auto reply = owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), &error));
    std::free(error);
    return reply;
}

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name)
{
    const auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

struct StateAtoms {
    xcb_atom_t state;
    xcb_atom_t above;
    xcb_atom_t staysOnTop; // an older name of the same band that Qt also writes
};

bool isMapped(xcb_connection_t* connection, xcb_window_t window)
{
    const auto reply =
        owned(xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr));
    return reply && reply->map_state != XCB_MAP_STATE_UNMAPPED;
}

xcb_window_t rootOf(xcb_connection_t* connection, xcb_window_t window)
{
    const auto reply = geometry(connection, window);
    return reply ? reply->root : xcb_window_t(XCB_WINDOW_NONE);
}

void askWindowManager(xcb_connection_t* connection, xcb_window_t window, const StateAtoms& atoms, bool above)
{
    const xcb_window_t root = rootOf(connection, window);
    if (root == XCB_WINDOW_NONE)
        return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atoms.state;
    message.data.data32[0] = above ? kAdd : kRemove;
    message.data.data32[1] = atoms.above;
    message.data.data32[3] = kSourceApplication;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
}

std::vector<xcb_atom_t> stateProperty(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t state)
{
    const auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, 1024), nullptr));
    if (!reply || reply->format != 32 || reply->type != XCB_ATOM_ATOM)
        return {};
    const auto* values = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    return std::vector<xcb_atom_t>(values, values + xcb_get_property_value_length(reply.get()) / sizeof(xcb_atom_t));
}

// The other states the window carries (maximized, modal, ...) are kept.
void writeStateProperty(xcb_connection_t* connection, xcb_window_t window, const StateAtoms& atoms, bool above)
{
    std::vector<xcb_atom_t> states = stateProperty(connection, window, atoms.state);
    std::erase_if(states, [&](xcb_atom_t state) { return state == atoms.above || state == atoms.staysOnTop; });
    if (above)
        states.push_back(atoms.above);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atoms.state, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(states.size()), states.data());
}

} // namespace

bool setStaysOnTop(quintptr window, bool above)
{
    xcb_connection_t* connection = qtConnection();
    if (!connection || window == 0)
        return false;
    const auto id = static_cast<xcb_window_t>(window);
    const StateAtoms atoms{internAtom(connection, "_NET_WM_STATE"), internAtom(connection, "_NET_WM_STATE_ABOVE"),
                           internAtom(connection, "_NET_WM_STATE_STAYS_ON_TOP")};
    if (isMapped(connection, id))
        askWindowManager(connection, id, atoms, above);
    else
        writeStateProperty(connection, id, atoms, above);
    xcb_flush(connection);
    return true;
}

QSize windowSize(quintptr window)
{
    xcb_connection_t* connection = qtConnection();
    if (!connection || window == 0)
        return {};
    const auto reply = geometry(connection, static_cast<xcb_window_t>(window));
    return reply ? QSize(reply->width, reply->height) : QSize();
}

bool isRootWindow(quintptr window)
{
    xcb_connection_t* connection = qtConnection();
    if (!connection || window == 0)
        return false;
    const auto id = static_cast<xcb_window_t>(window);
    return rootOf(connection, id) == id;
}

QMargins frameExtents(quintptr window)
{
    xcb_connection_t* connection = qtConnection();
    if (!connection || window == 0)
        return {};
    const xcb_atom_t extents = internAtom(connection, "_NET_FRAME_EXTENTS");
    const auto reply = owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, static_cast<xcb_window_t>(window), extents, XCB_ATOM_CARDINAL, 0, 4),
        nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 4 * sizeof(uint32_t))
        return {};
    // left, right, top, bottom
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return QMargins(static_cast<int>(values[0]), static_cast<int>(values[2]), static_cast<int>(values[1]),
                    static_cast<int>(values[3]));
}

} // namespace platform::x11

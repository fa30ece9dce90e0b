#include "foundation/clsPSFormUtilities.h"
#include "platform/QtWindows.h"
#include "platform/Services.h"
#include "support/OnRealX.h"
#include "support/TestServices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

namespace {

// A second connection to the X server that watches the root window the way a window manager
// does, and reads windows' properties.
class XObserver {
public:
    XObserver()
        : connection_(xcb_connect(nullptr, nullptr))
    {
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        state_ = atom("_NET_WM_STATE");
        above_ = atom("_NET_WM_STATE_ABOVE");
        roundTrip(connection_);
    }
    ~XObserver() { xcb_disconnect(connection_); }

    struct StateRequest {
        uint32_t window;
        uint32_t action; // 1 add, 0 remove
        bool above;
        bool operator==(const StateRequest&) const = default;
        friend void PrintTo(const StateRequest& request, std::ostream* out)
        {
            *out << "window " << request.window << (request.action == 1 ? " add" : " remove")
                 << (request.above ? " above" : " other");
        }
    };

    // The next _NET_WM_STATE request sent to the root window, waiting up to five seconds.
    std::optional<StateRequest> nextStateRequest()
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 5000) {
            QCoreApplication::processEvents();
            while (auto* event = xcb_poll_for_event(connection_)) {
                const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> owned(event, &std::free);
                if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
                    continue;
                const auto* message = reinterpret_cast<const xcb_client_message_event_t*>(event);
                if (message->type == state_)
                    return StateRequest{message->window, message->data.data32[0],
                                        message->data.data32[1] == above_ || message->data.data32[2] == above_};
            }
        }
        return std::nullopt;
    }

    // Whether the window's own _NET_WM_STATE property holds the stay-on-top state, once the
    // application's requests have reached the server.
    bool propertySaysAbove(WId window)
    {
        QCoreApplication::processEvents();
        roundTrip(qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection());
        const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
            xcb_get_property_reply(connection_,
                                   xcb_get_property(connection_, 0, static_cast<xcb_window_t>(window), state_,
                                                    XCB_ATOM_ATOM, 0, 64),
                                   nullptr),
            &std::free);
        if (!reply || reply->format != 32)
            return false;
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
        const int count = xcb_get_property_value_length(reply.get()) / 4;
        return std::find(atoms, atoms + count, above_) != atoms + count;
    }

private:
    static void roundTrip(xcb_connection_t* connection)
    {
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
    xcb_atom_t atom(const char* name)
    {
        const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
            xcb_intern_atom_reply(connection_, xcb_intern_atom(connection_, 0, std::strlen(name), name), nullptr),
            &std::free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    xcb_connection_t* connection_;
    xcb_window_t root_ = 0;
    xcb_atom_t state_ = 0;
    xcb_atom_t above_ = 0;
};

class TopMostOnX : public ::testing::Test {
protected:
    void SetUp() override { platform::services().windows = &windows; }
    void TearDown() override { platform::services().windows = &services.windows(); }

    TestServices services;
    platform::QtWindows windows;
    clsPSFormUtilities utilities;
};

TEST_F(TopMostOnX, AShownWindowKeepsItsXWindowAndAsksForTheStateAndBack)
{
    if (ranOnRealX())
        return;
    XObserver observer;
    QWidget form;
    form.setGeometry(40, 50, 300, 200);
    form.show();
    const WId id = form.winId();
    const QRect placed = form.geometry();

    utilities.SetTopMost(&form);
    EXPECT_EQ(form.winId(), id);
    EXPECT_EQ(observer.nextStateRequest(), (XObserver::StateRequest{uint32_t(id), 1, true}));
    EXPECT_TRUE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    utilities.UnSetTopMost(&form);
    EXPECT_EQ(form.winId(), id);
    EXPECT_EQ(observer.nextStateRequest(), (XObserver::StateRequest{uint32_t(id), 0, true}));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.geometry(), placed);
}

TEST_F(TopMostOnX, AHiddenWindowCarriesTheStateInItsProperty)
{
    if (ranOnRealX())
        return;
    XObserver observer;
    QWidget form;
    const WId id = form.winId(); // created, never mapped

    utilities.SetTopMost(&form);
    EXPECT_EQ(form.winId(), id);
    EXPECT_TRUE(observer.propertySaysAbove(id));

    utilities.UnSetTopMost(&form);
    EXPECT_EQ(form.winId(), id);
    EXPECT_FALSE(observer.propertySaysAbove(id));

    // Shown later, the window is the same one, and Qt maps it with the state it was last given.
    utilities.SetTopMost(&form);
    form.show();
    EXPECT_EQ(form.winId(), id);
    EXPECT_TRUE(form.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}

} // namespace

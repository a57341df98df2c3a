#include "gui/clocks/X11WindowState.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef VELARIN_HAVE_XCB
#include <cstdlib>
#include <xcb/xcb.h>
#endif

namespace velarin {
namespace {

#ifdef VELARIN_HAVE_XCB
xcb_atom_t internAtom(xcb_connection_t* connection, const char* name, size_t length)
{
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(length), name), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t { XCB_ATOM_NONE };
    std::free(reply);
    return atom;
}
#endif

} // namespace

void KeepOffTaskbar([[maybe_unused]] QWidget& window)
{
#ifdef VELARIN_HAVE_XCB
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr)
        return;
    xcb_connection_t* connection = x11->connection();
    static constexpr char kState[] = "_NET_WM_STATE";
    static constexpr char kSkipTaskbar[] = "_NET_WM_STATE_SKIP_TASKBAR";
    static constexpr char kSkipPager[] = "_NET_WM_STATE_SKIP_PAGER";
    const xcb_atom_t state = internAtom(connection, kState, sizeof kState - 1);
    const xcb_atom_t skip[2] = { internAtom(connection, kSkipTaskbar, sizeof kSkipTaskbar - 1),
        internAtom(connection, kSkipPager, sizeof kSkipPager - 1) };
    if (state == XCB_ATOM_NONE || skip[0] == XCB_ATOM_NONE || skip[1] == XCB_ATOM_NONE)
        return;
    const auto id = static_cast<xcb_window_t>(window.winId());
    // Before mapping the window manager reads the property (Qt keeps states it does not set
    // itself); once the window is managed only a request to the root window changes it.
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 2, skip);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    if (screen != nullptr) {
        xcb_client_message_event_t message {};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = id;
        message.type = state;
        message.data.data32[0] = 1; // add
        message.data.data32[1] = skip[0];
        message.data.data32[2] = skip[1];
        message.data.data32[3] = 1; // from an application
        xcb_send_event(connection, 0, screen->root,
            XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
            reinterpret_cast<const char*>(&message));
    }
    xcb_flush(connection);
#endif
}

} // namespace velarin

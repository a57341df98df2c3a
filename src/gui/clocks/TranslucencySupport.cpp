#include "gui/clocks/TranslucencySupport.h"

#include <QGuiApplication>
#include <string>

#ifdef VELARIN_HAVE_XCB
#include <cstdlib>
#include <xcb/xcb.h>
#endif

namespace velarin {
namespace {

#ifdef VELARIN_HAVE_XCB
bool x11CompositorRunning()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr)
        return false;
    xcb_connection_t* connection = x11->connection();
    const int screens = xcb_setup_roots_length(xcb_get_setup(connection));
    for (int screen = 0; screen < screens; ++screen) {
        const std::string name = "_NET_WM_CM_S" + std::to_string(screen);
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(connection,
            xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.c_str()),
            nullptr);
        if (atom == nullptr)
            continue;
        const xcb_atom_t selection = atom->atom;
        std::free(atom);
        if (selection == XCB_ATOM_NONE)
            continue; // nobody ever created the atom, so nobody owns it
        xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
            connection, xcb_get_selection_owner(connection, selection), nullptr);
        const bool owned = owner != nullptr && owner->owner != XCB_WINDOW_NONE;
        std::free(owner);
        if (owned)
            return true;
    }
    return false;
}
#endif

} // namespace

bool PlatformSupportsWindowOpacity()
{
#ifdef VELARIN_HAVE_XCB
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        return x11CompositorRunning();
#endif
    return true;
}

} // namespace velarin

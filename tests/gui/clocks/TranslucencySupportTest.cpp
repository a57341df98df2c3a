// Translucency on X11 depends on a compositing manager. Under the offscreen platform the test
// is skipped; run it on a display without one, e.g.
//   QT_QPA_PLATFORM=xcb xvfb-run -a build/tests/test_gui --gtest_filter='Translucency*'
#include "gui/clocks/TranslucencySupport.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#if __has_include(<xcb/xcb.h>)
#include <cstdlib>
#include <xcb/xcb.h>

TEST(TranslucencySupport, FollowsTheCompositorSelectionOnX11)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display without a compositing manager (xvfb-run)";
    if (velarin::PlatformSupportsWindowOpacity())
        GTEST_SKIP() << "a compositing manager already runs on this display";
    // Stand in for a compositing manager: own the screen's _NET_WM_CM_S0 selection.
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    ASSERT_EQ(xcb_connection_has_error(connection), 0);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t owner = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, owner, screen->root, 0, 0, 1, 1, 0,
        XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    static constexpr char kName[] = "_NET_WM_CM_S0";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr);
    ASSERT_NE(atom, nullptr);
    xcb_set_selection_owner(connection, owner, atom->atom, XCB_CURRENT_TIME);
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    EXPECT_TRUE(velarin::PlatformSupportsWindowOpacity());

    xcb_destroy_window(connection, owner); // gives up the selection
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    EXPECT_FALSE(velarin::PlatformSupportsWindowOpacity());
    std::free(atom);
    xcb_disconnect(connection);
}
#endif

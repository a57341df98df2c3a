#pragma once

namespace velarin {

// Whether a window can be made translucent here. On X11 that takes a compositing manager: one
// runs when the _NET_WM_CM_S<n> selection of a screen has an owner. Wayland always composites.
// The offscreen and minimal platforms keep the opacity a window is given, so they count as able.
bool PlatformSupportsWindowOpacity();

} // namespace velarin

#pragma once

class QWidget;

namespace velarin {

// Keeps a top-level window off the taskbar and the pager on X11 (_NET_WM_STATE_SKIP_TASKBAR and
// _NET_WM_STATE_SKIP_PAGER): a tool window alone does not guarantee that with every window
// manager. Call it when the window is about to be shown; elsewhere it does nothing.
void KeepOffTaskbar(QWidget& window);

} // namespace velarin

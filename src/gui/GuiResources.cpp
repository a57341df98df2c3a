#include "gui/GuiResources.h"

#include <QtGlobal>

static void InitVelarinResources()
{
    Q_INIT_RESOURCE(velarin);
}

namespace velarin {

void EnsureGuiResources()
{
    static const bool done = [] {
        InitVelarinResources();
        return true;
    }();
    (void)done;
}

} // namespace velarin

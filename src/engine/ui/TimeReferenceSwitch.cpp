#include "engine/ui/TimeReferenceSwitch.h"

#include "engine/gps/CNmeaParser.h"
#include "engine/gps/SerialPort.h"
#include "engine/settings/SettingsKeys.h"
#include "platform/SettingsStore.h"

namespace velarin {

void ReopenGpsLink(CSerialPort& port, SettingsStore& settings)
{
    port.Close();
    port.Open(settings.GetProfileInt(keys::kSerial, keys::kPort, keys::kPortDefault),
        settings.GetProfileInt(keys::kSerial, keys::kBaud, keys::kBaudDefault), 0, 8, 0);
}

void CloseGpsLink(CSerialPort& port, CNmeaParser& parser)
{
    port.Close();
    parser.Reset();
}

} // namespace velarin

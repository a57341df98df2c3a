#include "engine/ui/GpsConfigurationRules.h"

#include "engine/ui/DialogFieldInt.h"

namespace velarin::gpsconfig {

uint16_t KeepIn16Bits(int value)
{
    return static_cast<uint16_t>(static_cast<uint32_t>(value) & 0xFFFFu);
}

int RadioForTimeSource(int timeSource)
{
    switch (timeSource) {
    case 0:
        return kRadioGpgga;
    case 1:
        return kRadioGprmc;
    case 2:
        return kRadioGpzda;
    default:
        return 0;
    }
}

int TimeSourceFromRadios(bool gpgga, bool gprmc, bool gpzda, int current)
{
    if (gpgga)
        return 0;
    if (gprmc)
        return 1;
    if (gpzda)
        return 2;
    return current;
}

std::optional<int> AcceptedGpsTimeDelay(int milliseconds)
{
    if (milliseconds < -kGpsTimeDelayLimit || milliseconds > kGpsTimeDelayLimit)
        return std::nullopt;
    return milliseconds;
}

bool UpdateNowEnabled(bool setTimeBusy, int timeReferenceUsable)
{
    return !setTimeBusy && timeReferenceUsable == 1;
}

int LineMaskFromRadios(bool cts, bool dsr, bool dcd)
{
    if (cts)
        return 8;
    if (dsr)
        return 16;
    if (dcd)
        return 32;
    return 0;
}

PpsLineRadio RadioForLineMask(int lineMask)
{
    if ((lineMask & 8) != 0)
        return PpsLineRadio::Cts;
    if ((lineMask & 32) != 0 && (lineMask & 16) == 0)
        return PpsLineRadio::Dcd;
    return PpsLineRadio::Dsr;
}

int PolarityAfterDialog(int selectedIndex, int openedWith)
{
    if (selectedIndex < 0 || selectedIndex >= kPolarityCount)
        return openedWith;
    return selectedIndex;
}

CommPortChoice CommPortFromText(std::string_view text, int currentPort)
{
    size_t begin = 0;
    while (begin < text.size() && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    if (begin < text.size() && text[begin] == '/') {
        size_t end = text.size();
        while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
            --end;
        return { currentPort, std::string(text.substr(begin, end - begin)) };
    }
    return { DialogFieldInt(text), {} };
}

std::string CommPortText(int port, std::string_view device)
{
    if (!device.empty())
        return std::string(device);
    return std::to_string(port);
}

std::vector<std::string> CommPortItems(const std::vector<std::string>& devices)
{
    std::vector<std::string> items;
    items.reserve(kNumberedPorts + devices.size());
    for (int port = 1; port <= kNumberedPorts; ++port)
        items.push_back(std::to_string(port));
    items.insert(items.end(), devices.begin(), devices.end());
    return items;
}

} // namespace velarin::gpsconfig

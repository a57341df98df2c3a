#include "engine/gps/SerialOpenError.h"

#include <cerrno>

namespace velarin {

std::string SerialOpenErrorText(int errorCode)
{
    static constexpr const char* kInUse
        = "\n\n The communications port may be in use at this time. "
          "Please choose another port or close the application "
          "using the desired port.";
    switch (errorCode) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return std::string("Communication Port Not Found!\n\n")
            + "The communications port does not exist. Check your system configuration on the "
              "status of this Communication port";
    case EACCES:
    case EPERM:
    case EBUSY:
        return std::string("Access Denied!") + kInUse;
    default:
        return "Comm Open Error![" + std::to_string(errorCode) + "]" + kInUse;
    }
}

} // namespace velarin

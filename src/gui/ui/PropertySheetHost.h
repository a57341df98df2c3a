#pragma once

#include "engine/frame/SystemLog.h"

namespace velarin {

class CIrigGenerator;
class CSerialPort;
class UserNotifier;

// What the property sheet needs from the rest of the program. The main frame implements it; the
// sheet and its pages only call it from the user-interface thread.
class PropertySheetHost {
public:
    virtual ~PropertySheetHost() = default;

    // Makes the server that the time server list picks for the next query the current one.
    virtual void LoadCurrentTimeServer() = 0;
    // Starts the set-time worker; does nothing while one is running.
    virtual void StartSetTimeThread() = 0;
    // The time reference chosen on the system configuration page. GPS: the serial port is
    // closed and opened again with the stored port and speed. Network: the port is closed and
    // the GPS record cleared.
    virtual void UseGpsReference() { }
    virtual void UseNetworkReference() { }
    // Whether the platform reports a connection to the Internet.
    virtual bool IsInternetConnected() { return true; }
    // The program's system log, which the system configuration page switches; null where the
    // program keeps none.
    virtual SystemLog* GetSystemLog() { return nullptr; }
    // True while the set-time worker is inside its attempts.
    virtual bool IsSetTimeBusy() const = 0;
    // Opens the help at a context number.
    virtual void ShowHelp(int context) = 0;

    // Ends a set-time run at once (its waits are cancelled and the busy flag cleared), for
    // changes that must not happen under a running setting. Nothing while none runs.
    virtual void StopSetTimeThread() { }
    // The GPS link, for the pages that reopen it or capture its bytes; null where the program
    // runs without one.
    virtual CSerialPort* SerialPort() { return nullptr; }
    // Message boxes and beeps; null where nobody is told.
    virtual UserNotifier* Notifier() { return nullptr; }
    // The main frame's IRIG output, which the IRIG page switches; null where there is none.
    virtual CIrigGenerator* IrigGenerator() { return nullptr; }
};

} // namespace velarin

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <termios.h>

namespace velarin::test {

// A pseudo-terminal standing in for a receiver: the program opens SlavePath() as its serial
// device, the test writes the receiver's bytes at the master end. The slave starts raw at
// 9600 bit/s so that nothing is translated before the program sets its own line settings; one
// slave descriptor stays open so that the line settings can be inspected.
class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    bool IsValid() const { return master_ >= 0 && slave_ >= 0; }
    const std::string& SlavePath() const { return slavePath_; }

    // Writes every byte at the master end (blocking until the line discipline took them).
    bool Write(const void* data, size_t size);
    bool Write(std::string_view text);
    // The slave's current line settings, as the program left them.
    termios SlaveSettings() const;
    // The receiver goes away (a USB receiver unplugged): the slave hangs up.
    void CloseMaster();

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

} // namespace velarin::test

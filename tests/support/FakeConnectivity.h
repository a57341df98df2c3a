#pragma once

#include "platform/Connectivity.h"

#include <atomic>

namespace velarin::test {

class FakeConnectivity : public Connectivity {
public:
    bool IsInternetConnected() override
    {
        ++checks;
        return connected.load();
    }
    std::atomic<bool> connected { true };
    std::atomic<int> checks { 0 };
};

} // namespace velarin::test

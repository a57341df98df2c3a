#pragma once

namespace velarin {

// Whether the machine has a route to the Internet at all (a default route on an interface that
// is up). Cheap enough to ask once a second.
class Connectivity {
public:
    virtual ~Connectivity() = default;
    virtual bool IsInternetConnected() = 0;
};

} // namespace velarin

#pragma once

namespace velarin {

// The pictures live in a resource file linked from a static library, whose initialiser the
// linker may drop; every user of a ":/" path calls this first (cheap after the first call).
void EnsureGuiResources();

} // namespace velarin

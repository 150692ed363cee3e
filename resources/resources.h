#pragma once

namespace quorvell::resources {

// Registers the built-in artwork (":/quorvell/...") with Qt's resource
// system. The artwork lives in a static library, whose registration the
// linker would otherwise drop; call once at start-up, before loading images.
void init();

} // namespace quorvell::resources

#pragma once

#include "discovery/registry.h"

#include <memory>

namespace quorvell::discovery {

// HKEY_LOCAL_MACHINE through the ANSI registry functions. The game's
// installer is 32-bit, so on 64-bit Windows its value sits in the 32-bit view:
// each query reads that view (KEY_WOW64_32KEY) first and the native view only
// when the first has no such value. Windows only.
std::unique_ptr<RegistrySource> makeWindowsRegistry();

} // namespace quorvell::discovery

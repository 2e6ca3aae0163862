#pragma once
// The program's compiled-in resources (help topics) live in a static library, so they are
// registered by hand before first use.

namespace orvela {

// Safe to call more than once.
void InitProgramResources();

}  // namespace orvela

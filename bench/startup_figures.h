// Start-up time and memory of Pelmora.exe beside programs that start with less, each started as a
// process of its own; printed as a table.
#pragma once

namespace startup_figures {

void Print();

}  // namespace startup_figures

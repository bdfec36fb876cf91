// The process error mode: which system error boxes the process suppresses.
#pragma once

namespace platform {

// Suppresses the system's general-protection-fault box (SEM_NOGPFAULTERRORBOX).
constexpr unsigned int kNoGpFaultErrorBox = 0x0002;

// The current error mode flags.
unsigned int errorMode();
// Sets the error mode flags; returns the previous ones.
unsigned int setErrorMode(unsigned int mode);

} // namespace platform

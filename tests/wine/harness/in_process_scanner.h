// The data source's core driven in process: the module's state set up as at
// open, with the installed simulator bound as the port driver and the
// scanner identified.
#ifndef PLNX_TESTS_IN_PROCESS_SCANNER_H
#define PLNX_TESTS_IN_PROCESS_SCANNER_H

#include <stdint.h>

#include <string>
#include <vector>

namespace twtest {

// C:\windows\TWAIN_32\PLNX_Q7B\PLNX_Q7B.IOB of the prefix.
std::string SimulatorDriverPath();

// Binds the simulator and identifies the scanner; false when it cannot be
// loaded. UnbindPortDriver ends it.
bool OpenSimulatedScanner();

// The ring lines the scan just started should give, as the simulator renders
// them: the frame, resolution and type of the parameter block it was sent,
// the tone block, and the driver's resampling to the scan's target.
std::vector<uint8_t> RingLinesOfThisScan(uint32_t lineBytes, uint32_t* lines);

}  // namespace twtest

#endif

// Arbitrary bytes as capability containers: the block readers directly, then
// the standard handler's setting path over the same bytes handed in as the
// application's block. Every read must stay inside the block (the
// sanitizers watch), every refusal must be TWCC_BADVALUE, every accepted
// read must have had its bytes inside the block, and no block stays locked.
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <vector>

#include "tests/host/capability_test_support.h"
#include "twain/capability_containers.h"
#include "twain/capability_standard.h"
#include "twain/capability_state.h"
#include "twain/source_state.h"

namespace {

void Fails(const char* what, int line) {
    fprintf(stderr, "capability_containers_fuzz.cpp:%d: %s\n", line, what);
    abort();
}
#define Check(ok) ((ok) ? (void)0 : Fails(#ok, __LINE__))

uint16_t Le16(const uint8_t* p) { return (uint16_t)(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) { return (uint32_t)Le16(p) | ((uint32_t)Le16(p + 2) << 16); }

bool FeederHasPaper() { return true; }

const TW_UINT16 Capabilities[] = {ICAP_PIXELTYPE,  ICAP_XRESOLUTION,    ICAP_BRIGHTNESS, CAP_FEEDERENABLED,
                                  CAP_AUTOFEED,    ICAP_SUPPORTEDSIZES, CAP_XFERCOUNT,   ICAP_PLANARCHUNKY,
                                  ICAP_GAMMA,      ICAP_UNITS,          ICAP_CONTRAST,   CAP_CLEARPAGE};
const TW_UINT16 ConTypes[] = {TWON_ONEVALUE, TWON_ENUMERATION, TWON_ONEVALUE, TWON_ENUMERATION,
                              TWON_ARRAY,    TWON_RANGE,       0,             0xffff};

void ReadDirectly(const uint8_t* block, uint32_t size, uint32_t index) {
    ContainerValue value;
    TW_UINT16 cc = ReadOneValueBlock(block, size, &value);
    Check(cc == TWCC_SUCCESS || cc == TWCC_BADVALUE);
    if (cc == TWCC_SUCCESS) {
        Check(size >= ONEVALUE_BLOCK_SIZE);
        Check(value.ItemType == Le16(block));
        Check(ListItemSize(value.ItemType) != 0 || value.ItemType == TWTY_FIX32);
    }
    cc = ReadEnumerationBlockItem(block, size, index, &value);
    Check(cc == TWCC_SUCCESS || cc == TWCC_BADVALUE);
    if (cc == TWCC_SUCCESS) {
        uint64_t width = ListItemSize(value.ItemType);
        Check(width != 0);
        uint32_t numItems = Le32(block + 2);
        Check(index < numItems);
        Check(ENUMERATION_HEADER_SIZE + (uint64_t)numItems * width <= size);
    }
}

void SetThroughHandler(const uint8_t* block, uint32_t size, uint8_t selector) {
    captest::Heap& heap = captest::Heap::Get();
    heap.Clear();
    ResetCapabilityState();
    SessionState = (selector & 0x40) ? STATE_ENABLED : STATE_OPEN;
    TW_CAPABILITY cap;
    cap.Cap = Capabilities[selector % (sizeof Capabilities / sizeof Capabilities[0])];
    cap.ConType = ConTypes[(selector >> 4) & 7];
    cap.hContainer = heap.Add(std::vector<uint8_t>(block, block + size));
    SetResult(TWRC_SUCCESS, TWCC_SUCCESS);
    StandardCapabilityHandler(MSG_SET, &cap, captest::TestMemory(), FeederHasPaper);
    Check(ReturnCode == TWRC_SUCCESS || ReturnCode == TWRC_FAILURE);
    Check(heap.Locked() == 0);
    Check(heap.SourceBlocks() == 0);
    Check(CapBrightness >= -1000 && CapBrightness <= 1000);
    Check(CapContrast >= -1000 && CapContrast <= 1000);
    Check(PixelTypeIndex < 4 && ResolutionIndex < 8 && UnitsIndex < 6 && SupportedSizeIndex < 9);
}

}  // namespace

// Input: one selector byte (capability, container type, state), one index
// byte, then the block.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2 || size > 0x10000) return 0;
    const uint8_t* block = data + 2;
    uint32_t blockSize = (uint32_t)(size - 2);
    ReadDirectly(block, blockSize, data[1] % 16 == 15 ? 0xffffffffu : data[1] % 16);
    SetThroughHandler(block, blockSize, data[0]);
    return 0;
}

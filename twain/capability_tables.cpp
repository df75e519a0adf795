#include "twain/capability_tables.h"

namespace {

const TW_UINT32 XferMechs[] = {TWSX_NATIVE, TWSX_FILE, TWSX_MEMORY};
const TW_UINT32 PixelTypes[] = {TWPT_BW, TWPT_GRAY, TWPT_RGB, TWPT_PALETTE};
const TW_UINT32 Units[] = {TWUN_INCHES, TWUN_CENTIMETERS, TWUN_PICAS, TWUN_POINTS, TWUN_TWIPS, TWUN_PIXELS};
const TW_UINT32 FileFormats[] = {TWFF_TIFF, TWFF_PICT, TWFF_BMP, TWFF_XBM};
const TW_UINT32 Resolutions[] = {75, 100, 150, 200, 300, 400, 500, 600};
const TW_UINT32 SupportedSizes[] = {0, 1, 2, 3, 4, 5, 6, 7, 8};

template <int N>
constexpr uint16_t CountOf(const TW_UINT32 (&)[N]) {
    return N;
}

}  // namespace

const ValueTable XferMechTable = {XferMechs, CountOf(XferMechs), 2};
const ValueTable PixelTypeTable = {PixelTypes, CountOf(PixelTypes), 2};
const ValueTable UnitsTable = {Units, CountOf(Units), 0};
const ValueTable FileFormatTable = {FileFormats, CountOf(FileFormats), 0};
const ValueTable ResolutionTable = {Resolutions, CountOf(Resolutions), 1};
const ValueTable SupportedSizeTable = {SupportedSizes, CountOf(SupportedSizes), 0};

TW_UINT32 TableValue(const ValueTable& table, uint16_t index) {
    return table.Values[index < table.Count ? index : table.ResetIndex];
}

int FindTableIndex(const ValueTable& table, TW_UINT16 value) {
    for (uint16_t i = 0; i < table.Count; ++i)
        if ((TW_UINT16)table.Values[i] == value) return i;
    return -1;
}

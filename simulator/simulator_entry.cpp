// The port driver's three exports. The simulator behaves as a flatbed
// scanner on the parallel port (scanner_device.h); this file binds it to
// Windows: the configuration from WIN.INI, the picture file, the recording
// of the command blocks and the time a line takes on the port.
#include <string.h>
#include <windows.h>

#include <new>
#include <vector>

#include "device/block_layout.h"
#include "simulator/bmp_codec.h"
#include "simulator/block_fields.h"
#include "simulator/scanner_device.h"
#include "simulator/simulator_config.h"

namespace {

ScannerDevice Device;
bool DeviceOpened = false;

// The picture file last read, and what identified it then.
RgbImage Picture;
char PictureName[CONFIG_PATH_SIZE] = "";
WIN32_FILE_ATTRIBUTE_DATA PictureStamp;

void Open() {
    SimulatorConfig config;
    LoadSimulatorConfig(&config);
    OpenDevice(&Device, config);
    DeviceOpened = true;
}

bool ReadWholeFile(const char* name, std::vector<uint8_t>* data) {
    HANDLE file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size;
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < 0x40000000;
    if (ok) {
        data->resize((size_t)size.QuadPart);
        DWORD got = 0;
        ok = ReadFile(file, data->data(), (DWORD)data->size(), &got, nullptr) && got == data->size();
    }
    CloseHandle(file);
    return ok;
}

// Puts the configured picture on the bed (or the test page); false when the
// file cannot be read as a 24-bit BMP.
bool PreparePicture() {
    const char* name = Device.config.PageFile;
    if (!name[0]) {
        Device.picture = nullptr;
        return true;
    }
    WIN32_FILE_ATTRIBUTE_DATA stamp;
    if (!GetFileAttributesExA(name, GetFileExInfoStandard, &stamp)) return false;
    bool same = lstrcmpiA(name, PictureName) == 0 && stamp.nFileSizeLow == PictureStamp.nFileSizeLow &&
                stamp.nFileSizeHigh == PictureStamp.nFileSizeHigh &&
                CompareFileTime(&stamp.ftLastWriteTime, &PictureStamp.ftLastWriteTime) == 0;
    if (!same) {
        PictureName[0] = 0;
        std::vector<uint8_t> data;
        if (!ReadWholeFile(name, &data) || !DecodeBmp24(data.data(), data.size(), &Picture)) return false;
        lstrcpynA(PictureName, name, sizeof PictureName);
        PictureStamp = stamp;
    }
    Device.picture = &Picture;
    return true;
}

// Writes the block as received to <RecordDir>\<command name>.bin.
void Record(const uint8_t* block, uint32_t code) {
    const char* dir = Device.config.RecordDir;
    const char* name = CommandName(code);
    if (!dir[0] || !name) return;
    char path[CONFIG_PATH_SIZE + 32];
    lstrcpynA(path, dir, CONFIG_PATH_SIZE);
    size_t length = strlen(path);
    if (length && path[length - 1] != '\\' && path[length - 1] != '/') path[length++] = '\\';
    lstrcpynA(path + length, name, 24);
    lstrcatA(path, ".bin");
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written;
    WriteFile(file, block, (DWORD)CommandBlockSize(code), &written, nullptr);
    CloseHandle(file);
}

void WaitForLines(uint32_t lines) {
    uint64_t micros = (uint64_t)lines * Device.config.LineDelayMicros;
    if (micros) Sleep((DWORD)((micros + 999) / 1000));
}

uint32_t Call(uint8_t* block, uint32_t code) {
    if (!DeviceOpened) Open();
    if (code == SPI_INQUIRE || code == SPI_SET_PARAMS) LoadSimulatorConfig(&Device.config);
    Record(block, code);
    if (code == SPI_START_SCAN && !PreparePicture()) {
        Device.scanning = false;
        SetField16(block, BLOCK_STATUS, STATUS_PAGE_FILE);
        return STATUS_PAGE_FILE;
    }
    uint32_t lines = 0;
    uint16_t status = DeviceCommand(Device, block, code, &lines);
    WaitForLines(lines);
    return status;
}

}  // namespace

extern "C" uint32_t WINAPI ADDR_CHK() {
    try {
        Open();
        return Device.config.AddrChkResult;
    } catch (...) {
        return 1;  // the driver object could not be opened
    }
}

extern "C" uint32_t WINAPI SPI_CALL(void* block, uint32_t handle, uint32_t code) {
    uint8_t* b = static_cast<uint8_t*>(block);
    if (!b) return STATUS_BAD_PARAMETER;
    try {
        return Call(b, code);
    } catch (...) {
        Device.scanning = false;
        SetField16(b, BLOCK_STATUS, STATUS_INTERNAL);
        return STATUS_INTERNAL;
    }
}

extern "C" uint32_t WINAPI BUF_ADDR(void* buffer, uint32_t size, void* table) {
    try {
        if (!DeviceOpened) Open();
        return DeviceSetBuffer(Device, buffer, size, static_cast<uint8_t*>(table));
    } catch (...) {
        return 0;
    }
}

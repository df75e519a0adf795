// twscan: a TWAIN application for the command line. It loads TWAIN_32.DLL,
// lists the sources, opens one, negotiates what the command line asks,
// acquires without the source's dialog through a real message loop and
// writes the image to a file.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "tools/twscan/bmp_writer.h"
#include "twain/twain.h"

namespace {

typedef TW_UINT16(WINAPI* DsmEntryProc)(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

DsmEntryProc DsmEntry = nullptr;
TW_IDENTITY App = {};
TW_IDENTITY Source = {};

struct Options {
    bool list = false;
    bool infoOnly = false;
    const char* source = nullptr;
    int pixelType = TWPT_RGB;
    int dpi = 100;
    bool haveFrame = false;
    double frame[4] = {0, 0, 0, 0};
    bool haveBrightness = false, haveContrast = false;
    double brightness = 0, contrast = 0;
    int mech = TWSX_MEMORY;
    int format = TWFF_TIFF;
    const char* out = nullptr;
    unsigned memBuffer = 65536;
    unsigned timeoutMs = 120000;
};

const char* ConditionName(TW_UINT16 cc) {
    static const char* const names[] = {"success", "failure", "low memory", "no data source", "max connections",
                                        "operation error", "bad capability", "code 7", "code 8", "bad protocol",
                                        "bad value", "sequence error", "bad destination", "capability unsupported",
                                        "bad capability operation", "capability sequence error", "denied",
                                        "file exists", "file not found", "not empty", "paper jam",
                                        "paper double feed", "file write error", "check device online"};
    return cc < sizeof names / sizeof names[0] ? names[cc] : "unknown";
}

TW_UINT16 StatusOf(TW_IDENTITY* dest) {
    TW_STATUS status = {};
    if (DsmEntry(&App, dest, DG_CONTROL, DAT_STATUS, MSG_GET, &status) != TWRC_SUCCESS) return TWCC_BUMMER;
    return status.ConditionCode;
}

int Failed(const char* what, TW_IDENTITY* dest) {
    TW_UINT16 cc = StatusOf(dest);
    fprintf(stderr, "twscan: %s failed: %s (condition code %u)\n", what, ConditionName(cc), cc);
    return 1;
}

void PrintText(const char* label, const char* text, size_t size) {
    printf("  %-16s \"", label);
    for (size_t i = 0; i < size && text[i]; ++i) {
        if (text[i] == '\n')
            printf("\\n");
        else
            putchar(text[i]);
    }
    printf("\"\n");
}

void PrintIdentity(const TW_IDENTITY& id) {
    printf("  %-16s %lu\n", "Id", (unsigned long)id.Id);
    printf("  %-16s %u.%u language %u country %u\n", "Version", id.Version.MajorNum, id.Version.MinorNum,
           id.Version.Language, id.Version.Country);
    PrintText("Version.Info", id.Version.Info, sizeof id.Version.Info);
    printf("  %-16s %u.%u\n", "Protocol", id.ProtocolMajor, id.ProtocolMinor);
    printf("  %-16s 0x%lx\n", "SupportedGroups", (unsigned long)id.SupportedGroups);
    PrintText("Manufacturer", id.Manufacturer, sizeof id.Manufacturer);
    PrintText("ProductFamily", id.ProductFamily, sizeof id.ProductFamily);
    PrintText("ProductName", id.ProductName, sizeof id.ProductName);
}

void Usage() {
    printf(
        "usage: twscan [options]\n"
        "Acquires one image from a TWAIN source without the source's dialog and writes it to a file.\n"
        "  --list              list the sources the source manager finds, and stop\n"
        "  --info              open the source, print its identity and status, close it, and stop\n"
        "  --source NAME       the source whose ProductName is NAME (default: the first whose name\n"
        "                      contains \"F/B Scanner\", else the source manager's default)\n"
        "  --pixel bw|gray|rgb pixel type (ICAP_PIXELTYPE; default rgb)\n"
        "  --dpi N             resolution (ICAP_XRESOLUTION: 75 100 150 200 300 400 500 600; default 100)\n"
        "  --frame L,T,R,B     scan frame in inches (DAT_IMAGELAYOUT; default: the whole bed)\n"
        "  --brightness N      ICAP_BRIGHTNESS, -1000..1000\n"
        "  --contrast N        ICAP_CONTRAST, -1000..1000\n"
        "  --xfer native|memory|file   transfer mechanism (ICAP_XFERMECH; default memory)\n"
        "  --format tiff|bmp   file format of a file transfer (default tiff)\n"
        "  --buffer BYTES      buffer size of a memory transfer (default 65536)\n"
        "  --out FILE          output file (default scan.bmp; scan.tif for a TIFF file transfer)\n"
        "  --timeout MS        longest wait for the source to become ready (default 120000)\n"
        "  --help              this text\n"
        "Native and memory transfers are written as BMP files any viewer opens.\n"
        "Exit status: 0 on success, 1 on a TWAIN or file failure, 2 on a usage error.\n");
}

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const char* a = argv[i];
        const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
        auto take = [&]() {
            ++i;
            return v;
        };
        if (!strcmp(a, "--list")) {
            o.list = true;
        } else if (!strcmp(a, "--info")) {
            o.infoOnly = true;
        } else if (!strcmp(a, "--source") && v) {
            o.source = take();
        } else if (!strcmp(a, "--pixel") && v) {
            const char* p = take();
            if (!strcmp(p, "bw")) o.pixelType = TWPT_BW;
            else if (!strcmp(p, "gray")) o.pixelType = TWPT_GRAY;
            else if (!strcmp(p, "rgb")) o.pixelType = TWPT_RGB;
            else return false;
        } else if (!strcmp(a, "--dpi") && v) {
            o.dpi = atoi(take());
        } else if (!strcmp(a, "--frame") && v) {
            if (sscanf(take(), "%lf,%lf,%lf,%lf", &o.frame[0], &o.frame[1], &o.frame[2], &o.frame[3]) != 4) return false;
            o.haveFrame = true;
        } else if (!strcmp(a, "--brightness") && v) {
            o.brightness = atof(take());
            o.haveBrightness = true;
        } else if (!strcmp(a, "--contrast") && v) {
            o.contrast = atof(take());
            o.haveContrast = true;
        } else if (!strcmp(a, "--xfer") && v) {
            const char* m = take();
            if (!strcmp(m, "native")) o.mech = TWSX_NATIVE;
            else if (!strcmp(m, "memory")) o.mech = TWSX_MEMORY;
            else if (!strcmp(m, "file")) o.mech = TWSX_FILE;
            else return false;
        } else if (!strcmp(a, "--format") && v) {
            const char* f = take();
            if (!strcmp(f, "tiff")) o.format = TWFF_TIFF;
            else if (!strcmp(f, "bmp")) o.format = TWFF_BMP;
            else return false;
        } else if (!strcmp(a, "--buffer") && v) {
            o.memBuffer = (unsigned)strtoul(take(), nullptr, 10);
        } else if (!strcmp(a, "--out") && v) {
            o.out = take();
        } else if (!strcmp(a, "--timeout") && v) {
            o.timeoutMs = (unsigned)strtoul(take(), nullptr, 10);
        } else {
            fprintf(stderr, "twscan: bad option %s\n", a);
            return false;
        }
    }
    return true;
}

// MSG_SET of a one-value capability.
bool SetOneValue(TW_UINT16 cap, TW_UINT16 type, TW_UINT32 item) {
    TW_CAPABILITY capability = {cap, TWON_ONEVALUE, nullptr};
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, sizeof(TW_ONEVALUE));
    if (!handle) return false;
    TW_ONEVALUE* one = static_cast<TW_ONEVALUE*>(GlobalLock(handle));
    one->ItemType = type;
    one->Item = item;
    GlobalUnlock(handle);
    capability.hContainer = handle;
    TW_UINT16 rc = DsmEntry(&App, &Source, DG_CONTROL, DAT_CAPABILITY, MSG_SET, &capability);
    GlobalFree(handle);
    return rc == TWRC_SUCCESS;
}

bool SetFix32(TW_UINT16 cap, double value) { return SetOneValue(cap, TWTY_FIX32, Fix32ToUInt32(DoubleToFix32(value))); }

const char* CapName(TW_UINT16 cap) {
    switch (cap) {
    case ICAP_XFERMECH: return "ICAP_XFERMECH";
    case ICAP_PIXELTYPE: return "ICAP_PIXELTYPE";
    case ICAP_XRESOLUTION: return "ICAP_XRESOLUTION";
    case ICAP_YRESOLUTION: return "ICAP_YRESOLUTION";
    case ICAP_BRIGHTNESS: return "ICAP_BRIGHTNESS";
    case ICAP_CONTRAST: return "ICAP_CONTRAST";
    case ICAP_IMAGEFILEFORMAT: return "ICAP_IMAGEFILEFORMAT";
    default: return "capability";
    }
}

int Negotiate(const Options& o) {
    // The file's name first: the set-up accepts only TIFF and selects it, so
    // a BMP file format is negotiated after it.
    if (o.mech == TWSX_FILE) {
        TW_SETUPFILEXFER setup = {};
        const char* out = o.out ? o.out : (o.format == TWFF_TIFF ? "scan.tif" : "scan.bmp");
        snprintf(setup.FileName, sizeof setup.FileName, "%s", out);
        setup.Format = TWFF_TIFF;
        if (DsmEntry(&App, &Source, DG_CONTROL, DAT_SETUPFILEXFER, MSG_SET, &setup) != TWRC_SUCCESS)
            return Failed("DAT_SETUPFILEXFER", &Source);
    }
    struct {
        TW_UINT16 cap;
        bool fix;
        double value;
        bool wanted;
    } steps[] = {
        {ICAP_XFERMECH, false, (double)o.mech, true},
        {ICAP_PIXELTYPE, false, (double)o.pixelType, true},
        {ICAP_XRESOLUTION, true, (double)o.dpi, true},
        {ICAP_BRIGHTNESS, true, o.brightness, o.haveBrightness},
        {ICAP_CONTRAST, true, o.contrast, o.haveContrast},
        {ICAP_IMAGEFILEFORMAT, false, (double)o.format, o.mech == TWSX_FILE},
    };
    for (const auto& s : steps) {
        if (!s.wanted) continue;
        bool ok = s.fix ? SetFix32(s.cap, s.value) : SetOneValue(s.cap, TWTY_UINT16, (TW_UINT32)s.value);
        if (!ok) return Failed(CapName(s.cap), &Source);
    }
    if (o.haveFrame) {
        TW_IMAGELAYOUT layout = {};
        layout.Frame.Left = DoubleToFix32(o.frame[0]);
        layout.Frame.Top = DoubleToFix32(o.frame[1]);
        layout.Frame.Right = DoubleToFix32(o.frame[2]);
        layout.Frame.Bottom = DoubleToFix32(o.frame[3]);
        layout.DocumentNumber = layout.PageNumber = layout.FrameNumber = 1;
        if (DsmEntry(&App, &Source, DG_IMAGE, DAT_IMAGELAYOUT, MSG_SET, &layout) != TWRC_SUCCESS)
            return Failed("DAT_IMAGELAYOUT", &Source);
    }
    return 0;
}

// The application's message loop: every message goes to the source first.
TW_UINT16 WaitForSource(unsigned timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TW_EVENT event = {&msg, MSG_NULL};
            TW_UINT16 rc = DsmEntry(&App, &Source, DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event);
            if (event.TWMessage == MSG_XFERREADY || event.TWMessage == MSG_CLOSEDSREQ) return event.TWMessage;
            if (rc != TWRC_DSEVENT) {
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
        }
        if (GetTickCount() - start > timeoutMs) return MSG_NULL;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

int TransferNative(const char* out) {
    TW_HANDLE handle = nullptr;
    TW_UINT16 rc = DsmEntry(&App, &Source, DG_IMAGE, DAT_IMAGENATIVEXFER, MSG_GET, &handle);
    if (rc == TWRC_CANCEL) {
        fprintf(stderr, "twscan: the transfer was cancelled\n");
        return 1;
    }
    if (rc != TWRC_XFERDONE || !handle) return Failed("DAT_IMAGENATIVEXFER", &Source);
    HGLOBAL block = static_cast<HGLOBAL>(handle);
    const uint8_t* dib = static_cast<const uint8_t*>(GlobalLock(block));
    std::string error;
    bool ok = dib && WritePackedDib(out, dib, GlobalSize(block), &error);
    if (dib) GlobalUnlock(block);
    GlobalFree(block);
    if (!ok) {
        fprintf(stderr, "twscan: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

int TransferMemory(const char* out, const TW_IMAGEINFO& info, unsigned bufferSize) {
    std::vector<uint8_t> buffer(bufferSize);
    StripBmpWriter writer;
    std::string error;
    uint32_t height = (uint32_t)info.ImageLength;
    if (!writer.Open(out, (uint32_t)info.ImageWidth, height, (uint32_t)info.BitsPerPixel, &error)) {
        fprintf(stderr, "twscan: %s\n", error.c_str());
        return 1;
    }
    uint32_t strips = 0, bytesPerRow = 0;
    for (;;) {
        TW_IMAGEMEMXFER xfer;
        memset(&xfer, 0xff, sizeof xfer);
        xfer.Memory.Flags = TWMF_APPOWNS | TWMF_POINTER;
        xfer.Memory.Length = bufferSize;
        xfer.Memory.TheMem = buffer.data();
        TW_UINT16 rc = DsmEntry(&App, &Source, DG_IMAGE, DAT_IMAGEMEMXFER, MSG_GET, &xfer);
        if (rc == TWRC_CANCEL) {
            fprintf(stderr, "\ntwscan: the transfer was cancelled\n");
            return 1;
        }
        if (rc != TWRC_SUCCESS && rc != TWRC_XFERDONE) return Failed("DAT_IMAGEMEMXFER", &Source);
        if (xfer.BytesWritten != xfer.BytesPerRow * xfer.Rows ||
            !writer.WriteRows(xfer.YOffset, xfer.Rows, xfer.BytesPerRow, buffer.data(), &error)) {
            fprintf(stderr, "\ntwscan: strip %u: %s\n", strips, error.empty() ? "inconsistent description" : error.c_str());
            return 1;
        }
        bytesPerRow = xfer.BytesPerRow;
        ++strips;
        if (height > 0 && strips % 8 == 0) {
            fprintf(stderr, "\r  %3u %%", (unsigned)((xfer.YOffset + xfer.Rows) * 100ull / height));
        }
        if (rc == TWRC_XFERDONE) break;
    }
    if (strips >= 8) fprintf(stderr, "\r  100 %%\n");
    if (!writer.Close(&error)) {
        fprintf(stderr, "twscan: %s\n", error.c_str());
        return 1;
    }
    printf("Strips: %u of %u bytes per row\n", strips, bytesPerRow);
    return 0;
}

int TransferFile() {
    TW_UINT16 rc = DsmEntry(&App, &Source, DG_IMAGE, DAT_IMAGEFILEXFER, MSG_GET, nullptr);
    if (rc == TWRC_CANCEL) {
        fprintf(stderr, "twscan: the transfer was cancelled\n");
        return 1;
    }
    if (rc != TWRC_XFERDONE) return Failed("DAT_IMAGEFILEXFER", &Source);
    return 0;
}

int Acquire(const Options& o, HWND parent) {
    if (int rc = Negotiate(o)) return rc;
    TW_USERINTERFACE ui = {FALSE, FALSE, parent};
    if (DsmEntry(&App, &Source, DG_CONTROL, DAT_USERINTERFACE, MSG_ENABLEDS, &ui) != TWRC_SUCCESS) {
        // The source may already have asked to be closed; its reason is in its status.
        return Failed("MSG_ENABLEDS", &Source);
    }
    TW_UINT16 message = WaitForSource(o.timeoutMs);
    int result = 0;
    if (message != MSG_XFERREADY) {
        fprintf(stderr, "twscan: the source %s\n",
                message == MSG_CLOSEDSREQ ? "asked to be closed instead of scanning" : "did not become ready");
        result = 1;
    } else {
        TW_IMAGEINFO info = {};
        if (DsmEntry(&App, &Source, DG_IMAGE, DAT_IMAGEINFO, MSG_GET, &info) != TWRC_SUCCESS) {
            result = Failed("DAT_IMAGEINFO", &Source);
        } else {
            printf("Image: %ld x %ld pixels, %d bits per pixel, %d dpi, pixel type %d\n", (long)info.ImageWidth,
                   (long)info.ImageLength, info.BitsPerPixel, info.XResolution.Whole, info.PixelType);
            const char* out = o.out ? o.out : (o.mech == TWSX_FILE && o.format == TWFF_TIFF ? "scan.tif" : "scan.bmp");
            if (o.mech == TWSX_NATIVE)
                result = TransferNative(out);
            else if (o.mech == TWSX_MEMORY)
                result = TransferMemory(out, info, o.memBuffer);
            else
                result = TransferFile();
            if (result == 0) {
                char full[MAX_PATH];
                if (!GetFullPathNameA(out, sizeof full, full, nullptr)) snprintf(full, sizeof full, "%s", out);
                printf("Wrote %s\n", full);
            }
        }
        TW_PENDINGXFERS pending = {};
        DsmEntry(&App, &Source, DG_CONTROL, DAT_PENDINGXFERS, MSG_ENDXFER, &pending);
        if (pending.Count != 0) DsmEntry(&App, &Source, DG_CONTROL, DAT_PENDINGXFERS, MSG_RESET, &pending);
    }
    DsmEntry(&App, &Source, DG_CONTROL, DAT_USERINTERFACE, MSG_DISABLEDS, &ui);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--help")) {
            Usage();
            return 0;
        }
    }
    if (!ParseOptions(argc, argv, o)) {
        Usage();
        return 2;
    }

    HMODULE dsm = LoadLibraryA("TWAIN_32.DLL");
    if (!dsm) {
        fprintf(stderr, "twscan: cannot load TWAIN_32.DLL\n");
        return 1;
    }
    DsmEntry = reinterpret_cast<DsmEntryProc>(reinterpret_cast<void*>(GetProcAddress(dsm, "DSM_Entry")));
    if (!DsmEntry) {
        fprintf(stderr, "twscan: TWAIN_32.DLL has no DSM_Entry\n");
        return 1;
    }
    App.Version.MajorNum = 1;
    App.Version.Language = TWLG_USA;
    App.Version.Country = TWCY_USA;
    strcpy(App.Version.Info, "twscan 1.0");
    App.ProtocolMajor = 1;
    App.ProtocolMinor = 5;
    App.SupportedGroups = DG_CONTROL | DG_IMAGE;
    strcpy(App.Manufacturer, "Korvan tools");
    strcpy(App.ProductFamily, "Command line");
    strcpy(App.ProductName, "twscan");

    HWND parent = CreateWindowA("STATIC", "twscan", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (DsmEntry(&App, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent) != TWRC_SUCCESS)
        return Failed("opening the source manager", nullptr);

    bool found = false;
    TW_IDENTITY candidate = {};
    printf("Sources:\n");
    for (TW_UINT16 rc = DsmEntry(&App, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &candidate);
         rc == TWRC_SUCCESS; rc = DsmEntry(&App, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &candidate)) {
        printf("  %s (%s)\n", candidate.ProductName, candidate.Manufacturer);
        bool match = o.source ? strcmp(candidate.ProductName, o.source) == 0
                              : strstr(candidate.ProductName, "F/B Scanner") != nullptr;
        if (!found && match) {
            Source = candidate;
            found = true;
        }
        memset(&candidate, 0, sizeof candidate);
    }
    int exitCode = 0;
    if (!o.list) {
        if (!found && o.source) {
            fprintf(stderr, "twscan: no source named \"%s\"\n", o.source);
            exitCode = 1;
        } else if (DsmEntry(&App, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &Source) != TWRC_SUCCESS) {
            exitCode = Failed("opening the source", nullptr);
        } else {
            printf("Opened:\n");
            PrintIdentity(Source);
            if (o.infoOnly) {
                TW_UINT16 cc = StatusOf(&Source);
                printf("Status: %s (condition code %u)\n", ConditionName(cc), cc);
            } else {
                exitCode = Acquire(o, parent);
            }
            DsmEntry(&App, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &Source);
        }
    }
    DsmEntry(&App, nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent);
    DestroyWindow(parent);
    FreeLibrary(dsm);
    return exitCode;
}

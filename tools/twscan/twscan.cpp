// twscan: a TWAIN application for the command line. It loads TWAIN_32.DLL,
// lists the sources the source manager finds, opens one and reports its
// identity and status.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "twain/twain.h"

namespace {

typedef TW_UINT16(WINAPI* DsmEntryProc)(TW_IDENTITY*, TW_IDENTITY*, TW_UINT32, TW_UINT16, TW_UINT16, TW_MEMREF);

DsmEntryProc DsmEntry = nullptr;
TW_IDENTITY App = {};

const char* ConditionName(TW_UINT16 cc) {
    static const char* const names[] = {
        "success",          "failure (bummer)",  "low memory",        "no data source",
        "max connections",  "operation error",   "bad capability",    "code 7",
        "code 8",           "bad protocol",      "bad value",         "sequence error",
        "bad destination",  "capability unsupported", "bad capability operation", "capability sequence error",
        "denied",           "file exists",       "file not found",    "not empty",
        "paper jam",        "paper double feed", "file write error",  "check device online"};
    return cc < sizeof names / sizeof names[0] ? names[cc] : "unknown";
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

TW_UINT16 StatusOf(TW_IDENTITY* dest) {
    TW_STATUS status = {};
    DsmEntry(&App, dest, DG_CONTROL, DAT_STATUS, MSG_GET, &status);
    return status.ConditionCode;
}

void Usage() {
    printf(
        "usage: twscan [--source NAME] [--list]\n"
        "  --list         list the sources the source manager finds, and stop\n"
        "  --source NAME  open the source whose ProductName is NAME\n"
        "                 (default: the first source whose name contains \"F/B Scanner\",\n"
        "                 else the source manager's default)\n"
        "  --help         this text\n"
        "Opens the source, prints its identity and status, and closes it again.\n"
        "Exit status: 0 on success, 1 on a TWAIN failure, 2 on a usage error.\n");
}

}  // namespace

int main(int argc, char** argv) {
    const char* wanted = nullptr;
    bool listOnly = false;
    for (int i = 1; i < argc; ++i) {
        if (!strcmp(argv[i], "--help")) {
            Usage();
            return 0;
        } else if (!strcmp(argv[i], "--list")) {
            listOnly = true;
        } else if (!strcmp(argv[i], "--source") && i + 1 < argc) {
            wanted = argv[++i];
        } else {
            fprintf(stderr, "twscan: unknown option %s\n", argv[i]);
            Usage();
            return 2;
        }
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

    HWND parent = CreateWindowA("STATIC", "twscan", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    TW_UINT16 rc = DsmEntry(&App, nullptr, DG_CONTROL, DAT_PARENT, MSG_OPENDSM, &parent);
    if (rc != TWRC_SUCCESS) {
        fprintf(stderr, "twscan: the source manager did not open (%s)\n", ConditionName(StatusOf(nullptr)));
        return 1;
    }

    TW_IDENTITY chosen = {};
    bool found = false;
    TW_IDENTITY source = {};
    printf("Sources:\n");
    for (rc = DsmEntry(&App, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETFIRST, &source); rc == TWRC_SUCCESS;
         rc = DsmEntry(&App, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GETNEXT, &source)) {
        printf("  %s (%s)\n", source.ProductName, source.Manufacturer);
        bool match = wanted ? strcmp(source.ProductName, wanted) == 0 : strstr(source.ProductName, "F/B Scanner") != nullptr;
        if (!found && match) {
            chosen = source;
            found = true;
        }
        memset(&source, 0, sizeof source);
    }
    int exitCode = 0;
    if (!listOnly) {
        if (!found && wanted) {
            fprintf(stderr, "twscan: no source named \"%s\"\n", wanted);
            exitCode = 1;
        } else {
            if (!found) memset(&chosen, 0, sizeof chosen);  // the default source
            rc = DsmEntry(&App, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_OPENDS, &chosen);
            if (rc != TWRC_SUCCESS) {
                TW_UINT16 cc = StatusOf(nullptr);
                fprintf(stderr, "twscan: the source did not open: %s (condition code %u)\n", ConditionName(cc), cc);
                exitCode = 1;
            } else {
                printf("Opened:\n");
                PrintIdentity(chosen);
                TW_UINT16 cc = StatusOf(&chosen);
                printf("Status: %s (condition code %u)\n", ConditionName(cc), cc);
                TW_UINT32 group = 0;
                DsmEntry(&App, &chosen, DG_CONTROL, DAT_XFERGROUP, MSG_GET, &group);
                printf("Transfer group: 0x%lx\n", (unsigned long)group);
                rc = DsmEntry(&App, nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &chosen);
                printf("Closed: %s\n", rc == TWRC_SUCCESS ? "yes" : "no");
                if (rc != TWRC_SUCCESS) exitCode = 1;
            }
        }
    }
    DsmEntry(&App, nullptr, DG_CONTROL, DAT_PARENT, MSG_CLOSEDSM, &parent);
    FreeLibrary(dsm);
    return exitCode;
}

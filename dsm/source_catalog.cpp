// Finding the installed data sources and asking each for its identity.
#include "dsm/source_catalog.h"

#include <string.h>

#include <algorithm>

namespace {

// Folders nested deeper than this are not searched (guards against loops
// through links).
const int MaxFolderDepth = 8;

bool LessNoCase(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }

bool HasSourceExtension(const char* name) {
    size_t length = strlen(name);
    return length > 3 && lstrcmpiA(name + length - 3, ".ds") == 0;
}

void CollectSourceFiles(const std::string& folder, int depth, std::vector<std::string>& files) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    std::vector<std::string> here;
    std::vector<std::string> folders;
    do {
        if (strcmp(data.cFileName, ".") == 0 || strcmp(data.cFileName, "..") == 0) continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) folders.push_back(data.cFileName);
        } else if (HasSourceExtension(data.cFileName)) {
            here.push_back(data.cFileName);
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);

    std::sort(here.begin(), here.end(), LessNoCase);
    std::sort(folders.begin(), folders.end(), LessNoCase);
    for (const std::string& name : here) files.push_back(folder + "\\" + name);
    if (depth >= MaxFolderDepth) return;
    for (const std::string& name : folders) CollectSourceFiles(folder + "\\" + name, depth + 1, files);
}

}  // namespace

std::string SourceRoot() {
    char windows[MAX_PATH];
    UINT length = GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows) return std::string();
    std::string root(windows, length);
    if (!root.empty() && root.back() == '\\') root.pop_back();
    return root + "\\TWAIN_32";
}

std::vector<std::string> FindSourceFiles(const std::string& root) {
    std::vector<std::string> files;
    if (!root.empty()) CollectSourceFiles(root, 0, files);
    return files;
}

HMODULE LoadSourceModule(const std::string& path) {
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(path.c_str());
    SetErrorMode(previous);
    return module;
}

DsEntryProc BindSourceEntry(HMODULE module) {
    FARPROC proc = GetProcAddress(module, "DS_Entry");
    return reinterpret_cast<DsEntryProc>(reinterpret_cast<void (*)()>(proc));
}

bool QuerySourceIdentity(const std::string& path, TW_IDENTITY* app, TW_IDENTITY* identity) {
    HMODULE module = LoadSourceModule(path);
    if (!module) return false;
    bool answered = false;
    DsEntryProc entry = BindSourceEntry(module);
    if (entry) {
        TW_IDENTITY reported;
        memset(&reported, 0, sizeof reported);
        if (entry(app, DG_CONTROL, DAT_IDENTITY, MSG_GET, &reported) == TWRC_SUCCESS) {
            reported.Id = 0;
            reported.Version.Info[sizeof reported.Version.Info - 1] = '\0';
            reported.Manufacturer[sizeof reported.Manufacturer - 1] = '\0';
            reported.ProductFamily[sizeof reported.ProductFamily - 1] = '\0';
            reported.ProductName[sizeof reported.ProductName - 1] = '\0';
            *identity = reported;
            answered = true;
        }
    }
    FreeLibrary(module);
    return answered;
}

std::vector<SourceEntry> ScanSources(TW_IDENTITY* app) {
    std::vector<SourceEntry> sources;
    for (const std::string& path : FindSourceFiles(SourceRoot())) {
        SourceEntry entry;
        entry.Path = path;
        if (!QuerySourceIdentity(path, app, &entry.Identity)) continue;
        if (entry.Identity.ProductName[0] == '\0') continue;
        bool duplicate = false;
        for (const SourceEntry& known : sources)
            if (strcmp(known.Identity.ProductName, entry.Identity.ProductName) == 0) duplicate = true;
        if (!duplicate) sources.push_back(entry);
    }
    return sources;
}

// WIN.INI helpers and guards for the tests.
#include <string.h>

#include "tests/wine/harness/twain_app.h"

namespace twtest {

namespace {

const char Absent[] = "\x01plnx-absent\x01";

// A whole section as "key=value" pairs, in file order.
std::vector<std::pair<std::string, std::string>> ReadSection(const char* section) {
    std::vector<char> buffer(4096);
    for (;;) {
        DWORD length = GetProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size() - 2) break;
        buffer.assign(buffer.size() * 2, '\0');
    }
    std::vector<std::pair<std::string, std::string>> entries;
    for (const char* line = buffer.data(); *line; line += strlen(line) + 1) {
        const char* equals = strchr(line, '=');
        if (equals)
            entries.emplace_back(std::string(line, equals), std::string(equals + 1));
        else
            entries.emplace_back(std::string(line), std::string());
    }
    return entries;
}

}  // namespace

namespace winini {

bool WriteKey(const char* section, const char* key, const char* value) {
    return WriteProfileStringA(section, key, value) != FALSE;
}

bool DeleteKey(const char* section, const char* key) { return WriteProfileStringA(section, key, nullptr) != FALSE; }

bool DeleteSection(const char* section) { return WriteProfileStringA(section, nullptr, nullptr) != FALSE; }

std::string ReadKey(const char* section, const char* key, const char* fallback) {
    std::vector<char> buffer(1024);
    for (;;) {
        DWORD length = GetProfileStringA(section, key, fallback, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size() - 1) return std::string(buffer.data(), length);
        buffer.assign(buffer.size() * 2, '\0');
    }
}

bool HasKey(const char* section, const char* key) { return ReadKey(section, key, Absent) != Absent; }

}  // namespace winini

WinIniGuard::WinIniGuard(const std::vector<std::string>& keys, const char* section) : section_(section) {
    for (const std::string& key : keys) {
        Saved saved;
        saved.key = key;
        saved.value = winini::ReadKey(section, key.c_str(), Absent);
        saved.present = saved.value != Absent;
        saved_.push_back(saved);
    }
}

WinIniGuard::~WinIniGuard() {
    for (const Saved& saved : saved_) {
        if (saved.present)
            winini::WriteKey(section_.c_str(), saved.key.c_str(), saved.value.c_str());
        else
            winini::DeleteKey(section_.c_str(), saved.key.c_str());
    }
}

WinIniSectionGuard::WinIniSectionGuard(const char* section) : section_(section), entries_(ReadSection(section)) {
    present_ = !entries_.empty();
}

WinIniSectionGuard::~WinIniSectionGuard() {
    winini::DeleteSection(section_.c_str());
    if (!present_) return;
    for (const auto& entry : entries_) winini::WriteKey(section_.c_str(), entry.first.c_str(), entry.second.c_str());
}

}  // namespace twtest

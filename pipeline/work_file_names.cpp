#include "pipeline/work_file_names.h"

#include <string.h>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

bool IsLead(LeadBytePredicate isLeadByte, const char* p) { return isLeadByte && p[1] && isLeadByte((uint8_t)p[0]); }

bool HasDrive(const char* name) {
    char c = name[0];
    return ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) && name[1] == ':';
}

// Length of the directory prefix that is kept when a sibling file is named:
// up to and including the last separator, else the drive "X:", else 0.
size_t PrefixLength(const char* name, LeadBytePredicate isLeadByte) {
    size_t prefix = HasDrive(name) ? 2 : 0;
    for (const char* p = name; *p; ++p) {
        if (IsLead(isLeadByte, p)) {
            ++p;
            continue;
        }
        if (IsSeparator(*p)) prefix = (size_t)(p - name) + 1;
    }
    return prefix;
}

// Leaves "" in `out` and reports failure.
bool Refuse(char* out, size_t size) {
    if (out && size) out[0] = 0;
    return false;
}

bool Compose(char* out, size_t size, const char* first, size_t firstLength, const char* second, size_t secondLength) {
    if (!out || size == 0) return false;
    out[0] = 0;
    if (firstLength + secondLength + 1 > size) return false;
    memcpy(out, first, firstLength);
    memcpy(out + firstLength, second, secondLength);
    out[firstLength + secondLength] = 0;
    return true;
}

bool SiblingName(const char* defaultName, const char* leaf, char* out, size_t size, LeadBytePredicate isLeadByte) {
    if (!defaultName || !defaultName[0]) return Refuse(out, size);
    return Compose(out, size, defaultName, PrefixLength(defaultName, isLeadByte), leaf, strlen(leaf));
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char FoldCase(char c) { return c >= 'a' && c <= 'z' ? (char)(c - 'a' + 'A') : c; }

}  // namespace

bool DirectoryOfFileName(const char* fileName, char* out, size_t size, LeadBytePredicate isLeadByte) {
    if (!fileName) return Refuse(out, size);
    size_t prefix = PrefixLength(fileName, isLeadByte);
    // The separator itself is not part of the directory; a bare drive is.
    if (prefix > 0 && IsSeparator(fileName[prefix - 1])) --prefix;
    return Compose(out, size, fileName, prefix, "", 0);
}

bool GrayWorkFileName(const char* defaultName, char* out, size_t size, LeadBytePredicate isLeadByte) {
    return SiblingName(defaultName, GRAY_WORK_FILE, out, size, isLeadByte);
}

bool EnlargementWorkFileName(const char* defaultName, char* out, size_t size, LeadBytePredicate isLeadByte) {
    return SiblingName(defaultName, ENLARGEMENT_WORK_FILE, out, size, isLeadByte);
}

bool ColourWorkFileName(const char* defaultName, const char* outputName, char* out, size_t size,
                        LeadBytePredicate isLeadByte) {
    if (!defaultName || !defaultName[0]) return Refuse(out, size);
    if (outputName && SameFileName(defaultName, outputName, isLeadByte))
        return SiblingName(defaultName, COLOUR_WORK_FILE, out, size, isLeadByte);
    return Compose(out, size, defaultName, strlen(defaultName), "", 0);
}

bool SameFileName(const char* a, const char* b, LeadBytePredicate isLeadByte) {
    if (!a || !b) return false;
    while (*a && *b) {
        if (IsLead(isLeadByte, a) || IsLead(isLeadByte, b)) {
            // Double-byte characters compare exactly, both bytes.
            if (a[0] != b[0] || a[1] != b[1]) return false;
            a += 2;
            b += 2;
            continue;
        }
        bool same = (IsSeparator(*a) && IsSeparator(*b)) || FoldCase(*a) == FoldCase(*b);
        if (!same) return false;
        ++a;
        ++b;
    }
    return *a == *b;
}

bool RelocatedDefaultName(const char* typed, const char* oldDefaultName, char* out, size_t size,
                          LeadBytePredicate isLeadByte) {
    if (!typed || !oldDefaultName) return Refuse(out, size);
    while (IsBlank(*typed)) ++typed;
    size_t length = strlen(typed);
    while (length > 0 && IsBlank(typed[length - 1])) --length;
    if (length == 0) return Refuse(out, size);

    // Trailing separators go, unless the last one is the second byte of a
    // double-byte character.
    size_t keep = 0;  // length up to the end of the last character that is not a separator
    for (size_t i = 0; i < length; ++i) {
        if (isLeadByte && i + 1 < length && isLeadByte((uint8_t)typed[i])) {
            keep = i + 2;
            ++i;
            continue;
        }
        if (!IsSeparator(typed[i])) keep = i + 1;
    }

    const char* leaf = oldDefaultName + PrefixLength(oldDefaultName, isLeadByte);
    size_t leafLength = strlen(leaf);
    if (leafLength == 0) return Refuse(out, size);
    if (!Compose(out, size, typed, keep, "\\", 1)) return false;
    size_t used = keep + 1;
    if (!Compose(out + used, size - used, leaf, leafLength, "", 0)) return Refuse(out, size);
    return true;
}

bool DriveRootOfFileName(const char* fileName, char* out, size_t size, LeadBytePredicate isLeadByte) {
    if (!fileName) return Refuse(out, size);
    if (HasDrive(fileName)) {
        char root[4] = {fileName[0], ':', '\\', 0};
        return Compose(out, size, root, 3, "", 0);
    }
    if (IsSeparator(fileName[0]) && IsSeparator(fileName[1])) {
        // \\server\share\ : the second separator after the leading pair ends
        // the root.
        int separators = 0;
        for (const char* p = fileName + 2; *p; ++p) {
            if (IsLead(isLeadByte, p)) {
                ++p;
                continue;
            }
            if (IsSeparator(*p) && ++separators == 2)
                return Compose(out, size, fileName, (size_t)(p - fileName), "\\", 1);
        }
    }
    return Refuse(out, size);
}

// Names of the work files beside the default transfer file, and the
// directory the user types to move them.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "pipeline/work_file_names.h"

namespace {

std::string Gray(const char* defaultName, LeadBytePredicate lead = nullptr) {
    char out[260];
    return GrayWorkFileName(defaultName, out, sizeof out, lead) ? out : "<refused>";
}

std::string Enlargement(const char* defaultName) {
    char out[260];
    return EnlargementWorkFileName(defaultName, out, sizeof out) ? out : "<refused>";
}

std::string Directory(const char* fileName, LeadBytePredicate lead = nullptr) {
    char out[260];
    return DirectoryOfFileName(fileName, out, sizeof out, lead) ? out : "<refused>";
}

std::string Relocated(const char* typed, const char* oldName, LeadBytePredicate lead = nullptr) {
    char out[260];
    return RelocatedDefaultName(typed, oldName, out, sizeof out, lead) ? out : "<refused>";
}

// Lead bytes of a double-byte code page (0x81 to 0xFE); their second byte
// may be 0x5C, a backslash.
bool DoubleByteLead(uint8_t b) { return b >= 0x81 && b <= 0xFE; }

}  // namespace

TEST(WorkFileNames, LieInTheDirectoryOfTheDefaultName) {
    struct Case {
        const char* defaultName;
        const char* directory;
        const char* gray;
        const char* enlargement;
    } cases[] = {
        {"C:\\WINDOWS\\TEMP\\KORVAN1A2B.TIF", "C:\\WINDOWS\\TEMP", "C:\\WINDOWS\\TEMP\\Xfer_G.Tmp",
         "C:\\WINDOWS\\TEMP\\Interp.Tmp"},
        {"C:\\KORVAN1A2B.TIF", "C:", "C:\\Xfer_G.Tmp", "C:\\Interp.Tmp"},
        {"\\\\server\\scratch\\KORVAN.TIF", "\\\\server\\scratch", "\\\\server\\scratch\\Xfer_G.Tmp",
         "\\\\server\\scratch\\Interp.Tmp"},
        {"D:/tmp/KORVAN0001.TIF", "D:/tmp", "D:/tmp/Xfer_G.Tmp", "D:/tmp/Interp.Tmp"},
        // Without a directory the work files stay beside the name too.
        {"KORVAN.TIF", "", "Xfer_G.Tmp", "Interp.Tmp"},
        {"E:KORVAN.TIF", "E:", "E:Xfer_G.Tmp", "E:Interp.Tmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.defaultName);
        EXPECT_EQ(Directory(c.defaultName), c.directory);
        EXPECT_EQ(Gray(c.defaultName), c.gray);
        EXPECT_EQ(Enlargement(c.defaultName), c.enlargement);
    }
    EXPECT_EQ(Gray(""), "<refused>");
    EXPECT_EQ(Gray(nullptr), "<refused>");
}

TEST(WorkFileNames, TypedDirectoryWithOrWithoutTrailingBackslashGivesTheSameNames) {
    const char* old = "C:\\WINDOWS\\TEMP\\KORVAN1A2B.TIF";
    struct Case {
        const char* typed;
        const char* defaultName;
        const char* gray;
    } cases[] = {
        {"D:\\SCRATCH", "D:\\SCRATCH\\KORVAN1A2B.TIF", "D:\\SCRATCH\\Xfer_G.Tmp"},
        {"D:\\SCRATCH\\", "D:\\SCRATCH\\KORVAN1A2B.TIF", "D:\\SCRATCH\\Xfer_G.Tmp"},
        {"  D:\\SCRATCH\\\\ ", "D:\\SCRATCH\\KORVAN1A2B.TIF", "D:\\SCRATCH\\Xfer_G.Tmp"},
        {"d:\\scratch/", "d:\\scratch\\KORVAN1A2B.TIF", "d:\\scratch\\Xfer_G.Tmp"},
        {"D:", "D:\\KORVAN1A2B.TIF", "D:\\Xfer_G.Tmp"},
        {"D:\\", "D:\\KORVAN1A2B.TIF", "D:\\Xfer_G.Tmp"},
        {"\\", "\\KORVAN1A2B.TIF", "\\Xfer_G.Tmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        std::string moved = Relocated(c.typed, old);
        EXPECT_EQ(moved, c.defaultName);
        EXPECT_EQ(Gray(moved.c_str()), c.gray);
    }
    // Moving again keeps the file name part.
    EXPECT_EQ(Relocated("E:\\", "D:\\SCRATCH\\KORVAN1A2B.TIF"), "E:\\KORVAN1A2B.TIF");
}

TEST(WorkFileNames, RelocationRefusesBlankDirectoriesAndShortBuffers) {
    const char* old = "C:\\TEMP\\KORVAN1A2B.TIF";
    EXPECT_EQ(Relocated("", old), "<refused>");
    EXPECT_EQ(Relocated("   ", old), "<refused>");
    EXPECT_EQ(Relocated("D:\\X", "C:\\TEMP\\"), "<refused>") << "no file name to keep";

    // "D:\X\KORVAN1A2B.TIF" is 19 characters.
    char out[20];
    EXPECT_TRUE(RelocatedDefaultName("D:\\X", old, out, sizeof out));
    EXPECT_STREQ(out, "D:\\X\\KORVAN1A2B.TIF");
    EXPECT_FALSE(RelocatedDefaultName("D:\\X", old, out, sizeof out - 1));
    EXPECT_STREQ(out, "");
    char gray[14];  // "D:\X\Xfer_G.Tmp" needs 16
    memset(gray, 'x', sizeof gray);
    EXPECT_FALSE(GrayWorkFileName("D:\\X\\KORVAN.TIF", gray, sizeof gray));
    EXPECT_STREQ(gray, "");
}

TEST(WorkFileNames, ColourWorkFileIsNeverTheOutputFile) {
    const char* name = "C:\\TEMP\\KORVAN1A2B.TIF";
    struct Case {
        const char* output;
        const char* colour;
    } cases[] = {
        {"C:\\TEMP\\PAGE.TIF", "C:\\TEMP\\KORVAN1A2B.TIF"},
        {"", "C:\\TEMP\\KORVAN1A2B.TIF"},
        {"C:\\TEMP\\KORVAN1A2B.TIF", "C:\\TEMP\\Xfer_C.Tmp"},
        {"c:/temp/korvan1a2b.tif", "C:\\TEMP\\Xfer_C.Tmp"},
        {"C:\\TEMP\\KORVAN1A2B.TIFF", "C:\\TEMP\\KORVAN1A2B.TIF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        char out[260];
        ASSERT_TRUE(ColourWorkFileName(name, c.output, out, sizeof out));
        EXPECT_STREQ(out, c.colour);
    }
}

TEST(WorkFileNames, DoubleByteCharactersEndingInABackslashAreNoSeparator) {
    // "\x95\x5C" is one character whose second byte is a backslash.
    const char* name = "C:\\TEMP\\\x95\x5C" "KORVAN.TIF";
    EXPECT_EQ(Directory(name, DoubleByteLead), "C:\\TEMP");
    EXPECT_EQ(Gray(name, DoubleByteLead), "C:\\TEMP\\Xfer_G.Tmp");
    EXPECT_EQ(Relocated("D:\\\x95\x5C", "C:\\TEMP\\KORVAN.TIF", DoubleByteLead), "D:\\\x95\x5C\\KORVAN.TIF");
    EXPECT_EQ(Relocated("D:\\\x95\x5C\\", "C:\\TEMP\\KORVAN.TIF", DoubleByteLead), "D:\\\x95\x5C\\KORVAN.TIF");
    // Second bytes in the letter range are not folded to upper case.
    EXPECT_FALSE(SameFileName("C:\\\x95\x61.TIF", "C:\\\x95\x41.TIF", DoubleByteLead));
    EXPECT_TRUE(SameFileName("C:\\\x95\x61.tif", "c:\\\x95\x61.TIF", DoubleByteLead));
}

TEST(WorkFileNames, DriveRootForTheFreeSpaceQuery) {
    struct Case {
        const char* name;
        const char* root;
    } cases[] = {
        {"C:\\WINDOWS\\TEMP\\KORVAN.TIF", "C:\\"},
        {"d:KORVAN.TIF", "d:\\"},
        {"\\\\server\\scratch\\dir\\KORVAN.TIF", "\\\\server\\scratch\\"},
        {"\\\\server\\scratch\\KORVAN.TIF", "\\\\server\\scratch\\"},
        {"//server/scratch/KORVAN.TIF", "//server/scratch\\"},
        {"\\\\server", "<none>"},
        {"\\TEMP\\KORVAN.TIF", "<none>"},
        {"KORVAN.TIF", "<none>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        char out[260];
        bool found = DriveRootOfFileName(c.name, out, sizeof out);
        EXPECT_EQ(found ? std::string(out) : std::string("<none>"), c.root);
    }
}

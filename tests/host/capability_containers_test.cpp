// Container blocks byte by byte: the layouts the builders write and the
// bounds the readers keep.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "tests/host/capability_test_support.h"
#include "twain/capability_containers.h"

using namespace captest;

TEST(CapabilityContainers, BuildersWriteTheStandardLayout) {
    uint8_t one[ONEVALUE_BLOCK_SIZE];
    WriteOneValue(one, TWTY_FIX32, Fix32Item(-2, 0x8000));
    EXPECT_EQ(std::vector<uint8_t>(one, one + 6), (std::vector<uint8_t>{7, 0, 0xfe, 0xff, 0x00, 0x80}));

    struct Case {
        TW_UINT16 type;
        std::vector<uint8_t> list;  // the items 0x11223344 and 5 at the type's width
    } cases[] = {
        {TWTY_INT8, {0x44, 5}},
        {TWTY_UINT8, {0x44, 5}},
        {TWTY_INT16, {0x44, 0x33, 5, 0}},
        {TWTY_UINT16, {0x44, 0x33, 5, 0}},
        {TWTY_INT32, {0x44, 0x33, 0x22, 0x11, 5, 0, 0, 0}},
        {TWTY_UINT32, {0x44, 0x33, 0x22, 0x11, 5, 0, 0, 0}},
    };
    const TW_UINT32 items[] = {0x11223344, 5};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        uint32_t size = EnumerationBlockSize(c.type, 2);
        ASSERT_EQ(size, c.list.size() + 15);
        std::vector<uint8_t> block(size, 0xcc);
        ASSERT_TRUE(WriteEnumeration(block.data(), size, {c.type, 2, 1, 0}, items));
        std::vector<uint8_t> expected = {(uint8_t)c.type, 0, 2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0};
        expected.insert(expected.end(), c.list.begin(), c.list.end());
        expected.push_back(0);
        EXPECT_EQ(block, expected);
    }
    std::vector<uint8_t> block(64, 0xcc);
    EXPECT_FALSE(WriteEnumeration(block.data(), 64, {TWTY_FIX32, 2, 0, 0}, items));
    EXPECT_FALSE(WriteEnumeration(block.data(), 64, {TWTY_BOOL, 2, 0, 0}, items));
    EXPECT_FALSE(WriteEnumeration(block.data(), 18, {TWTY_UINT16, 2, 0, 0}, items));  // one byte short
    EXPECT_EQ(block, std::vector<uint8_t>(64, 0xcc));
    EXPECT_EQ(EnumerationBlockSize(TWTY_STR32, 1), 0u);
    EXPECT_EQ(EnumerationBlockSize(TWTY_UINT32, 0x40000000), 0u);  // beyond 32 bits
    EXPECT_EQ(EnumerationBlockSize(TWTY_UINT16, 0), 15u);
}

TEST(CapabilityContainers, ReadersStayInsideTheBlock) {
    struct Case {
        const char* name;
        bool enumeration;
        std::vector<uint8_t> bytes;
        uint32_t index;
        TW_UINT16 cc;
        TW_UINT16 value;
    } cases[] = {
        {"uint16", false, OneValueBytes(TWTY_UINT16, 0x0002), 0, TWCC_SUCCESS, 2},
        {"int8 is sign-extended", false, OneValueBytes(TWTY_INT8, 0xfffffffe), 0, TWCC_SUCCESS, 0xfffe},
        {"uint8", false, OneValueBytes(TWTY_UINT8, 0xff), 0, TWCC_SUCCESS, 0xff},
        {"uint32 low half", false, OneValueBytes(TWTY_UINT32, 0x1234012c), 0, TWCC_SUCCESS, 300},
        {"fix32 whole part", false, OneValueBytes(TWTY_FIX32, Fix32Item(-3, 0xffff)), 0, TWCC_SUCCESS, 0xfffd},
        {"bool", false, OneValueBytes(TWTY_BOOL, 1), 0, TWCC_BADVALUE, 0},
        {"frame", false, OneValueBytes(TWTY_FRAME, 1), 0, TWCC_BADVALUE, 0},
        {"str255", false, OneValueBytes(TWTY_STR255, 1), 0, TWCC_BADVALUE, 0},
        {"unknown type", false, OneValueBytes(0xffff, 1), 0, TWCC_BADVALUE, 0},
        {"one value of 5 bytes", false, {TWTY_UINT8, 0, 1, 0, 0}, 0, TWCC_BADVALUE, 0},
        {"empty block", false, {}, 0, TWCC_BADVALUE, 0},
        {"first item", true, EnumerationBytes(TWTY_UINT16, 2, {4, 9}, 1, 2), 0, TWCC_SUCCESS, 4},
        {"last item", true, EnumerationBytes(TWTY_UINT16, 2, {4, 9}, 1, 2), 1, TWCC_SUCCESS, 9},
        {"index at NumItems", true, EnumerationBytes(TWTY_UINT16, 2, {4, 9, 7}, 1, 2), 2, TWCC_BADVALUE, 0},
        {"int32 item", true, EnumerationBytes(TWTY_INT32, 4, {0xffff0258}, 0, 1), 0, TWCC_SUCCESS, 600},
        {"int8 item", true, EnumerationBytes(TWTY_INT8, 1, {0x80}, 0, 1), 0, TWCC_SUCCESS, 0xff80},
        {"NumItems 0", true, EnumerationBytes(TWTY_UINT16, 2, {4}, 0, 0), 0, TWCC_BADVALUE, 0},
        {"NumItems beyond the block", true, EnumerationBytes(TWTY_UINT16, 2, {4}, 0, 2), 0, TWCC_BADVALUE, 0},
        {"NumItems wrapping 32 bits", true, EnumerationBytes(TWTY_UINT32, 4, {4}, 0, 0x40000001), 0,
         TWCC_BADVALUE, 0},
        {"fix32 list", true, EnumerationBytes(TWTY_FIX32, 4, {4}, 0, 1), 0, TWCC_BADVALUE, 0},
        {"header of 13 bytes", true, {TWTY_UINT8, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0, TWCC_BADVALUE, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        // Exactly the block's bytes on the heap: a read past them is caught.
        std::unique_ptr<uint8_t[]> block(new uint8_t[c.bytes.size()]);
        std::copy(c.bytes.begin(), c.bytes.end(), block.get());
        ContainerValue value = {0xeeee, 0xeeee};
        TW_UINT16 cc = c.enumeration
                           ? ReadEnumerationBlockItem(block.get(), (uint32_t)c.bytes.size(), c.index, &value)
                           : ReadOneValueBlock(block.get(), (uint32_t)c.bytes.size(), &value);
        EXPECT_EQ(cc, c.cc);
        if (c.cc == TWCC_SUCCESS) {
            EXPECT_EQ(value.Value, c.value);
            EXPECT_EQ(value.ItemType, Get16(c.bytes, 0));
        }
    }
    // An enumeration without its spare byte still holds all its items.
    std::vector<uint8_t> exact = EnumerationBytes(TWTY_UINT16, 2, {4, 9}, 0, 2);
    exact.pop_back();
    ContainerValue value;
    EXPECT_EQ(ReadEnumerationBlockItem(exact.data(), (uint32_t)exact.size(), 1, &value), TWCC_SUCCESS);
    EXPECT_EQ(ReadEnumerationBlockItem(exact.data(), (uint32_t)exact.size() - 1, 1, &value), TWCC_BADVALUE);
    EXPECT_EQ(ReadOneValueBlock(nullptr, 6, &value), TWCC_BADVALUE);
    EXPECT_EQ(ReadEnumerationBlockItem(nullptr, 20, 0, &value), TWCC_BADVALUE);
}

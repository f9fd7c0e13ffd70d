// The two icon groups of ConvertVtq.exe: every image's size and format, read from the group
// directory and the icon images it names, and the look of the application icon.
#include "resource_file.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace cvq_res_test;

namespace {

struct IconImage {
    int size;
    int bitsPerPixel;  // 32 for the PNG image
    bool operator==(const IconImage&) const = default;
};

void PrintTo(const IconImage& image, std::ostream* os)
{
    *os << image.size << "x" << image.size << " " << image.bitsPerPixel << " bits";
}

struct GroupEntry {
    IconImage image;
    WORD iconId;
    bool isPng;
};

// The group directory: reserved, type 1, count, then 14-byte entries naming RT_ICON resources.
std::vector<GroupEntry> ReadGroup(WORD id)
{
    Cursor cur(ResourceBytes(RT_GROUP_ICON, MAKEINTRESOURCEW(id), kJapanese));
    if (cur.Word() != 0 || cur.Word() != 1)
        throw std::runtime_error("not an icon group");
    std::vector<GroupEntry> entries(cur.Word());
    for (GroupEntry& e : entries) {
        const int width = cur.Byte();
        const int height = cur.Byte();
        const int colours = cur.Byte();
        cur.Byte();
        const int planes = cur.Word();
        e.image.bitsPerPixel = cur.Word();
        const DWORD bytes = cur.Dword();
        e.iconId = cur.Word();
        e.image.size = width == 0 ? 256 : width;

        // The directory must describe the image it names: same size, bits and byte count.
        auto data = ResourceBytes(RT_ICON, MAKEINTRESOURCEW(e.iconId), kJapanese);
        EXPECT_EQ(data.size(), bytes) << "icon " << e.iconId;
        EXPECT_EQ(width, height);
        EXPECT_EQ(planes, 1);
        EXPECT_EQ(colours, e.image.bitsPerPixel == 4 ? 16 : 0);
        e.isPng = StartsWithPng(data);
        Picture pic = e.isPng ? DecodePng(data) : DecodeDib(data, true);
        EXPECT_EQ(pic.width, e.image.size) << "icon " << e.iconId;
        EXPECT_EQ(pic.height, e.image.size) << "icon " << e.iconId;
        EXPECT_EQ(pic.bitsPerPixel, e.image.bitsPerPixel) << "icon " << e.iconId;
    }
    return entries;
}

struct GroupCase {
    const char* label;
    WORD id;
    std::vector<IconImage> images;
};

void PrintTo(const GroupCase& c, std::ostream* os)
{
    *os << c.label;
}

const GroupCase kGroups[] = {
    {"Application", IDR_MAINFRAME, {{256, 32}, {64, 24}, {48, 24}, {32, 24}, {24, 8}, {16, 8}}},
    {"Document", IDR_DOC_ICON, {{32, 4}, {16, 4}, {32, 8}, {16, 8}}},
};

class IconGroup : public ::testing::TestWithParam<GroupCase> {};

TEST_P(IconGroup, HoldsEveryImageSizeAndFormat)
{
    std::vector<IconImage> images;
    for (const GroupEntry& e : ReadGroup(GetParam().id)) {
        images.push_back(e.image);
        EXPECT_EQ(e.isPng, e.image.size == 256) << "only the 256 x 256 image is a PNG";
    }
    EXPECT_EQ(images, GetParam().images);
}

TEST_P(IconGroup, LoadsAtEachSizeThroughLoadImage)
{
    for (const IconImage& image : GetParam().images) {
        SCOPED_TRACE(image.size);
        HANDLE icon = LoadImageW(Exe(), MAKEINTRESOURCEW(GetParam().id), IMAGE_ICON, image.size, image.size, 0);
        ASSERT_NE(icon, nullptr);
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &info));
        BITMAP colour{};
        GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(colour), &colour);
        EXPECT_EQ(colour.bmWidth, image.size);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(static_cast<HICON>(icon));
    }
}

INSTANTIATE_TEST_SUITE_P(BothGroups, IconGroup, ::testing::ValuesIn(kGroups),
                         [](const auto& test) { return std::string(test.param.label); });

// Every image of the application icon: an orange square with transparent rounded corners and white
// drawing in the middle.
TEST(ApplicationIcon, IsAnOrangeSquareWithWhiteDrawingAtEverySize)
{
    for (const GroupEntry& e : ReadGroup(IDR_MAINFRAME)) {
        SCOPED_TRACE(e.image.size);
        auto data = ResourceBytes(RT_ICON, MAKEINTRESOURCEW(e.iconId), kJapanese);
        Picture pic = e.isPng ? DecodePng(data) : DecodeDib(data, true);
        const int n = pic.width;
        EXPECT_EQ(pic.At(0, 0).a, 0) << "transparent corner";
        EXPECT_EQ(pic.At(n - 1, n - 1).a, 0) << "transparent corner";
        // Left of the arrows' circle, half-way down: the orange ground.
        Rgba ground = pic.At(n / 16, n / 2);
        EXPECT_EQ(ground.a, 255);
        EXPECT_NEAR(ground.r, 220, 24);
        EXPECT_NEAR(ground.g, 114, 24);
        EXPECT_NEAR(ground.b, 19, 24);
        int white = 0;
        for (const Rgba& p : pic.pixels)
            white += p.a == 255 && p.r > 200 && p.g > 200 && p.b > 200;
        EXPECT_GT(white, n * n / 16) << "arrows and cube in white";
    }
}

}  // namespace

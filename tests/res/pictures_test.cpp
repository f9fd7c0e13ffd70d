// The button faces and the wait panel of ConvertVtq.exe: bitmaps 500..503 and the PNG pictures of
// the resource type "IMAGE", 504..508, decoded and checked for size, format and look.
#include "resource_file.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace cvq_res_test;

namespace {

struct Rgb {
    int r, g, b;
};

::testing::AssertionResult Near(Rgba actual, Rgb want, int tolerance = 0)
{
    if (std::abs(actual.r - want.r) <= tolerance && std::abs(actual.g - want.g) <= tolerance &&
        std::abs(actual.b - want.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "RGB(" << int(actual.r) << "," << int(actual.g) << ","
                                         << int(actual.b) << ") instead of RGB(" << want.r << "," << want.g
                                         << "," << want.b << ")";
}

// ---------------------------------------------------------------------------------------------------
// Output folder button faces: 18 x 19, 24 bits; near-black frame, gradient fill, three dots below the
// middle, mid-grey last row.
// ---------------------------------------------------------------------------------------------------
struct FaceCase {
    const char* label;
    WORD id;
    Rgb fillTop;
    Rgb fillBottom;
    Rgb dots;
};

void PrintTo(const FaceCase& c, std::ostream* os)
{
    *os << c.label;
}

const FaceCase kFaces[] = {
    {"Normal", IDB_OUTPATH_NORMAL, {100, 100, 100}, {65, 65, 65}, {212, 212, 212}},
    {"Hover", IDB_OUTPATH_HOVER, {119, 119, 119}, {77, 77, 77}, {213, 213, 213}},
    {"Press", IDB_OUTPATH_PRESS, {0, 122, 199}, {0, 102, 173}, {239, 246, 250}},
    {"Disable", IDB_OUTPATH_DISABLE, {117, 117, 117}, {98, 98, 98}, {142, 142, 142}},
};

class FolderButtonFace : public ::testing::TestWithParam<FaceCase> {};

TEST_P(FolderButtonFace, IsAnEighteenByNineteenTrueColourBitmap)
{
    auto dib = ResourceBytes(RT_BITMAP, MAKEINTRESOURCEW(GetParam().id), kJapanese);
    ASSERT_FALSE(dib.empty());
    Picture face = DecodeDib(dib, false);
    EXPECT_EQ(face.width, 18);
    EXPECT_EQ(face.height, 19);
    EXPECT_EQ(face.bitsPerPixel, 24);

    HANDLE bitmap = LoadImageW(Exe(), MAKEINTRESOURCEW(GetParam().id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
    EXPECT_EQ(ds.dsBm.bmWidth, 18);
    EXPECT_EQ(ds.dsBm.bmHeight, 19);
    EXPECT_EQ(ds.dsBm.bmBitsPixel, 24);
    DeleteObject(bitmap);
}

TEST_P(FolderButtonFace, ShowsFrameGradientDotsAndLastRow)
{
    const FaceCase& want = GetParam();
    Picture face = DecodeDib(ResourceBytes(RT_BITMAP, MAKEINTRESOURCEW(want.id), kJapanese), false);
    ASSERT_EQ(face.width, 18);
    ASSERT_EQ(face.height, 19);
    EXPECT_TRUE(Near(face.At(0, 9), {20, 20, 20})) << "left frame";
    EXPECT_TRUE(Near(face.At(9, 0), {20, 20, 20})) << "top frame";
    EXPECT_TRUE(Near(face.At(17, 9), {20, 20, 20})) << "right frame";
    EXPECT_TRUE(Near(face.At(9, 17), {20, 20, 20})) << "bottom frame";
    EXPECT_FALSE(Near(face.At(0, 0), {20, 20, 20})) << "rounded corner";
    EXPECT_TRUE(Near(face.At(2, 2), want.fillTop)) << "fill at the top";
    EXPECT_TRUE(Near(face.At(2, 16), want.fillBottom)) << "fill at the bottom";
    for (int x : {4, 5, 8, 9, 12, 13})
        EXPECT_TRUE(Near(face.At(x, 10), want.dots)) << "dot at column " << x;
    const Rgba fill = face.At(2, 10);
    for (int x : {6, 7, 10, 11})
        EXPECT_TRUE(Near(face.At(x, 10), {fill.r, fill.g, fill.b})) << "gap between the dots, column " << x;
    for (int x = 0; x < 18; ++x)
        EXPECT_TRUE(Near(face.At(x, 18), {119, 119, 119})) << "last row, column " << x;
}

INSTANTIATE_TEST_SUITE_P(AllStates, FolderButtonFace, ::testing::ValuesIn(kFaces),
                         [](const auto& test) { return std::string(test.param.label); });

// ---------------------------------------------------------------------------------------------------
// Convert button faces: 80 x 38 PNG with alpha; rounded rectangle, outline, vertical gradient.
// ---------------------------------------------------------------------------------------------------
struct ButtonCase {
    const char* label;
    WORD id;
    Rgb outline;
    Rgb fillTop;
    Rgb fillBottom;
};

void PrintTo(const ButtonCase& c, std::ostream* os)
{
    *os << c.label;
}

const ButtonCase kButtons[] = {
    {"Normal", IDB_CONVERT_NORMAL, {28, 28, 28}, {102, 102, 102}, {60, 60, 60}},
    {"Hover", IDB_CONVERT_HOVER, {28, 28, 28}, {79, 79, 79}, {28, 28, 28}},
    {"Press", IDB_CONVERT_PRESS, {28, 28, 28}, {192, 63, 72}, {178, 7, 18}},
    {"Disable", IDB_CONVERT_DISABLE, {51, 51, 51}, {115, 115, 115}, {98, 98, 98}},
};

class ConvertButtonFace : public ::testing::TestWithParam<ButtonCase> {};

TEST_P(ConvertButtonFace, IsAnEightyByThirtyEightPngWithAlpha)
{
    Picture face = DecodePng(ResourceBytes(kRtImage, MAKEINTRESOURCEW(GetParam().id), kJapanese));
    EXPECT_EQ(face.width, 80);
    EXPECT_EQ(face.height, 38);
    EXPECT_EQ(face.bitsPerPixel, 32);
    EXPECT_TRUE(face.hasAlpha);
}

TEST_P(ConvertButtonFace, IsARoundedRectangleWithOutlineAndGradient)
{
    const ButtonCase& want = GetParam();
    Picture face = DecodePng(ResourceBytes(kRtImage, MAKEINTRESOURCEW(want.id), kJapanese));
    ASSERT_EQ(face.width, 80);
    ASSERT_EQ(face.height, 38);
    for (auto [x, y] : {std::pair{0, 0}, {79, 0}, {0, 37}, {79, 37}})
        EXPECT_EQ(face.At(x, y).a, 0) << "transparent corner " << x << "," << y;
    EXPECT_EQ(face.At(40, 19).a, 255) << "opaque middle";
    EXPECT_EQ(face.At(40, 0).a, 255);
    EXPECT_TRUE(Near(face.At(40, 0), want.outline)) << "top outline";
    EXPECT_TRUE(Near(face.At(0, 19), want.outline)) << "left outline";
    EXPECT_TRUE(Near(face.At(40, 37), want.outline)) << "bottom outline";
    EXPECT_TRUE(Near(face.At(40, 1), want.fillTop)) << "fill below the top outline";
    EXPECT_TRUE(Near(face.At(40, 36), want.fillBottom)) << "fill above the bottom outline";
    for (int x = 10; x < 70; ++x)
        EXPECT_TRUE(Near(face.At(x, 19), {face.At(40, 19).r, face.At(40, 19).g, face.At(40, 19).b}))
            << "no text: row 19 is one colour, column " << x;
}

INSTANTIATE_TEST_SUITE_P(AllStates, ConvertButtonFace, ::testing::ValuesIn(kButtons),
                         [](const auto& test) { return std::string(test.param.label); });

// ---------------------------------------------------------------------------------------------------
// Wait panel: 300 x 206 PNG, 80 % opaque everywhere, dark gradient, white text centred.
// ---------------------------------------------------------------------------------------------------
TEST(WaitPanel, IsAThreeHundredByTwoHundredSixPngWithAlpha)
{
    Picture panel = DecodePng(ResourceBytes(kRtImage, MAKEINTRESOURCEW(IDB_WAIT_IMAGE), kJapanese));
    EXPECT_EQ(panel.width, 300);
    EXPECT_EQ(panel.height, 206);
    EXPECT_EQ(panel.bitsPerPixel, 32);
    EXPECT_TRUE(panel.hasAlpha);
}

TEST(WaitPanel, IsEightyPercentOpaqueEverywhere)
{
    Picture panel = DecodePng(ResourceBytes(kRtImage, MAKEINTRESOURCEW(IDB_WAIT_IMAGE), kJapanese));
    int other = 0;
    for (const Rgba& p : panel.pixels)
        other += p.a != 204;
    EXPECT_EQ(other, 0) << "pixels whose alpha is not 204";
}

TEST(WaitPanel, RunsFromDarkGreyToDarkerGrey)
{
    Picture panel = DecodePng(ResourceBytes(kRtImage, MAKEINTRESOURCEW(IDB_WAIT_IMAGE), kJapanese));
    ASSERT_EQ(panel.height, 206);
    EXPECT_TRUE(Near(panel.At(0, 0), {51, 51, 51}));
    EXPECT_TRUE(Near(panel.At(299, 0), {51, 51, 51}));
    EXPECT_TRUE(Near(panel.At(0, 205), {36, 36, 36}));
    EXPECT_TRUE(Near(panel.At(299, 205), {36, 36, 36}));
}

TEST(WaitPanel, CarriesWhiteTextOfAboutOneHundredNinetyThreeByTwentyThreeInTheMiddle)
{
    Picture panel = DecodePng(ResourceBytes(kRtImage, MAKEINTRESOURCEW(IDB_WAIT_IMAGE), kJapanese));
    int left = panel.width, right = -1, top = panel.height, bottom = -1, white = 0;
    for (int y = 0; y < panel.height; ++y)
        for (int x = 0; x < panel.width; ++x) {
            Rgba p = panel.At(x, y);
            if (p.r > 60 || p.g > 60 || p.b > 60) {  // brighter than the ground: text
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                white += p.r == 255 && p.g == 255 && p.b == 255;
            }
        }
    ASSERT_GE(right, 0) << "no text";
    const int width = right - left + 1;
    const int height = bottom - top + 1;
    EXPECT_NEAR(width, 193, 6);
    EXPECT_NEAR(height, 23, 4);
    EXPECT_NEAR((left + right) / 2.0, 149.5, 2.0) << "centred across";
    EXPECT_NEAR((top + bottom) / 2.0, 102.5, 2.0) << "centred down";
    EXPECT_GT(white, 150) << "the strokes are white";
}

}  // namespace

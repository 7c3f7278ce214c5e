// Checks the committed artwork against what the program's drawing code relies
// on: each resource id in quorvex.rc names a file of the right kind, size and
// bit depth, bitmaps are uncompressed with the key colour in the bottom-left
// corner, and the skin pieces are JPEGs of the sizes the layout assumes; the
// pieces for 200 % displays have the same kinds at the scaled sizes, under
// the 100 % ids plus the scale's offset (24-bit pieces may be 8-bit
// palettised there).
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kResources = fs::path(__FILE__).parent_path().parent_path().parent_path() / "resources";

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ReadText(const fs::path& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t U16(const std::vector<std::uint8_t>& b, std::size_t at) { return b.at(at) | b.at(at + 1) << 8; }
std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
std::uint32_t Be16(const std::vector<std::uint8_t>& b, std::size_t at) { return b.at(at) << 8 | b.at(at + 1); }

// Numeric value of every #define in resource_ids.h.
std::map<std::string, int> ResourceIds() {
    std::map<std::string, int> ids;
    std::string text = ReadText(kResources / "resource_ids.h");
    std::regex define(R"(#define\s+(ID\w+)\s+(\d+))");
    for (std::sregex_iterator it(text.begin(), text.end(), define), end; it != end; ++it)
        ids[(*it)[1]] = std::stoi((*it)[2]);
    return ids;
}

// Resource statements of quorvex.rc of one type: id -> file name.
std::map<int, std::string> RcEntries(const std::string& type) {
    auto ids = ResourceIds();
    std::map<int, std::string> entries;
    std::string text = ReadText(kResources / "quorvex.rc");
    std::regex statement("(?:^|\\n)(\\w+)\\s+" + type + "\\s+\"([^\"]+)\"");
    for (std::sregex_iterator it(text.begin(), text.end(), statement), end; it != end; ++it) {
        std::string name = (*it)[1];
        int id = std::isdigit(static_cast<unsigned char>(name[0])) ? std::stoi(name) : ids.at(name);
        EXPECT_TRUE(entries.emplace(id, (*it)[2]).second) << "id " << id << " used twice";
    }
    return entries;
}

struct BitmapShape {
    int width, height, bits;
};

// A 100 % length at a display scale, rounded half up as MulDiv does.
int Scaled(int v, int percent) { return (v * percent + 50) / 100; }

// The scales with their own artwork built in, and their id offsets (the
// 150 % set is generated but left out of the program for its size).
const std::pair<int, int> kScales[] = {{200, 2000}};

// The 100 % expectations, and the same for every other scale at its ids.
template <typename Shape, typename ScaleShape>
void AddScaled(std::map<int, Shape>& expected, ScaleShape scale) {
    const auto ids = ResourceIds();
    EXPECT_EQ(ids.at("ID_SCALE_150_OFFSET"), 1000);
    EXPECT_EQ(ids.at("ID_SCALE_200_OFFSET"), 2000);
    const std::map<int, Shape> base = expected;
    for (auto [percent, offset] : kScales)
        for (const auto& [id, shape] : base) expected[id + offset] = scale(id, shape, percent);
}

TEST(Resources, BitmapsHaveTheSizesAndDepthsTheBarDrawsWith) {
    std::map<int, BitmapShape> expected = {
        {110, {93, 18, 24}}, {120, {24, 15, 24}}, {121, {24, 15, 24}}, {122, {24, 15, 24}}, {123, {23, 15, 24}},
        {124, {23, 15, 24}}, {125, {23, 15, 24}}, {141, {9, 16, 24}},  {142, {12, 14, 24}}, {143, {14, 14, 24}},
    };
    for (int id = 130; id <= 140; ++id) expected[id] = {16, 16, id == 135 ? 32 : 24};
    AddScaled(expected, [](int, BitmapShape b, int percent) {
        return BitmapShape{Scaled(b.width, percent), Scaled(b.height, percent), b.bits};
    });
    // The pills' larger pictures are generated but not built in.
    for (int id = 2120; id <= 2125; ++id) expected.erase(id);
    EXPECT_EQ((expected[2135].width), 32);
    EXPECT_EQ((expected[2141].width), 18);

    auto entries = RcEntries("BITMAP");
    ASSERT_EQ(entries.size(), expected.size());
    for (const auto& [id, file] : entries) {
        SCOPED_TRACE("id " + std::to_string(id) + " " + file);
        ASSERT_TRUE(expected.count(id));
        const BitmapShape& want = expected[id];
        auto bmp = ReadAll(kResources / file);
        ASSERT_GE(bmp.size(), 54u);
        EXPECT_EQ(bmp[0], 'B');
        EXPECT_EQ(bmp[1], 'M');
        EXPECT_EQ(U32(bmp, 2), bmp.size());
        EXPECT_EQ(U32(bmp, 14), 40u);  // BITMAPINFOHEADER
        EXPECT_EQ(static_cast<int>(U32(bmp, 18)), want.width);
        EXPECT_EQ(static_cast<int>(U32(bmp, 22)), want.height);  // positive: bottom-up
        const int bits = static_cast<int>(U16(bmp, 28));
        // A larger scale's 24-bit piece may be palettised (lossless, a third of the bytes).
        const bool palettised = id >= 1000 && want.bits == 24 && bits == 8;
        EXPECT_TRUE(bits == want.bits || palettised) << bits;
        EXPECT_EQ(U32(bmp, 30), 0u);  // BI_RGB
        const std::size_t colours = palettised ? U32(bmp, 46) : 0;
        if (palettised) {
            EXPECT_GE(colours, 2u);
            EXPECT_LE(colours, 256u);
        }
        std::size_t stride = (static_cast<std::size_t>(want.width) * bits / 8 + 3) & ~std::size_t{3};
        std::size_t offset = U32(bmp, 10);
        ASSERT_EQ(offset, 54 + 4 * colours);
        ASSERT_EQ(bmp.size(), offset + stride * want.height);
        // The colour (BGR) at a stored pixel, through the palette where there is one.
        auto colourAt = [&](std::size_t p) -> std::size_t {
            if (!palettised) return p;
            EXPECT_LT(bmp[p], colours);
            return 54 + 4 * std::size_t{bmp[p]};
        };
        // First stored pixel = bottom-left = the transparent colour (BGR).
        const std::size_t first = colourAt(offset);
        EXPECT_EQ(bmp[first], 0xFF);
        EXPECT_EQ(bmp[first + 1], 0x00);
        EXPECT_EQ(bmp[first + 2], 0xFF);
        // Not a blank image: some pixel differs from the key colour.
        bool drawn = false;
        for (int y = 0; y < want.height && !drawn; ++y)
            for (int x = 0; x < want.width && !drawn; ++x) {
                const std::size_t p = colourAt(offset + y * stride + x * (bits / 8));
                drawn = !(bmp[p] == 0xFF && bmp[p + 1] == 0 && bmp[p + 2] == 0xFF);
            }
        EXPECT_TRUE(drawn);
    }
    // The minimise and close pills are read as whole files elsewhere.
    for (int id = 120; id <= 125; ++id) EXPECT_EQ(fs::file_size(kResources / entries.at(id)), 1134u) << entries.at(id);
}

TEST(Resources, SkinPiecesAreJpegsOfTheLayoutSizes) {
    std::map<int, std::pair<int, int>> expected = {{101, {22, 55}}, {102, {754, 55}}, {103, {24, 55}}};
    // The stretched middle piece is 8 pixels wide at the larger scales.
    AddScaled(expected, [](int id, std::pair<int, int> wh, int percent) {
        return std::pair{id == 102 ? 8 : Scaled(wh.first, percent), Scaled(wh.second, percent)};
    });
    EXPECT_EQ(expected[2103], (std::pair{48, 110}));
    auto entries = RcEntries("RCDATA");
    ASSERT_EQ(entries.size(), expected.size());
    for (const auto& [id, file] : entries) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(expected.count(id));
        auto jpg = ReadAll(kResources / file);
        ASSERT_GE(jpg.size(), 4u);
        ASSERT_EQ(Be16(jpg, 0), 0xFFD8u);
        // Walk the markers up to the frame header (baseline or progressive).
        std::size_t at = 2;
        bool found = false;
        while (at + 9 < jpg.size() && jpg[at] == 0xFF) {
            std::uint8_t marker = jpg[at + 1];
            if (marker == 0xC0 || marker == 0xC2) {
                EXPECT_EQ(static_cast<int>(Be16(jpg, at + 5)), expected[id].second);
                EXPECT_EQ(static_cast<int>(Be16(jpg, at + 7)), expected[id].first);
                EXPECT_EQ(jpg[at + 4], 8);  // sample precision libjpeg decodes by default
                found = true;
                break;
            }
            at += 2 + Be16(jpg, at + 2);
        }
        EXPECT_TRUE(found) << "no frame header";
    }
}

TEST(Resources, IconCarriesTheThreeSizes) {
    auto icons = RcEntries("ICON");
    ASSERT_EQ(icons.size(), 1u);
    EXPECT_EQ(icons.begin()->first, 1);
    auto ico = ReadAll(kResources / icons.begin()->second);
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(U16(ico, 0), 0u);
    EXPECT_EQ(U16(ico, 2), 1u);
    std::vector<int> sizes;
    for (std::uint32_t i = 0; i < U16(ico, 4); ++i) {
        std::size_t e = 6 + 16 * i;
        sizes.push_back(ico.at(e));
        EXPECT_LE(static_cast<std::size_t>(U32(ico, e + 12)) + U32(ico, e + 8), ico.size());
    }
    EXPECT_EQ(sizes, (std::vector<int>{16, 32, 48}));
}

TEST(Resources, ManifestAsksForCommonControlsSixAndNoElevation) {
    std::string rc = ReadText(kResources / "quorvex.rc");
    EXPECT_NE(rc.find("1 RT_MANIFEST \"quorvex.manifest\""), std::string::npos);
    std::string manifest = ReadText(kResources / "quorvex.manifest");
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
}

}  // namespace

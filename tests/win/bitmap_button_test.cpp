// The bitmap button on a toolkit form: its stored images, what a paint puts
// on the surface, and the mouse as the form delivers it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "base/error.h"
#include "toolkit/form.h"
#include "widgets/bitmap_button_win.h"
#include "win/app_fixture_win.h"
#include "win/sequence_win.h"

namespace quorvex {
namespace {

// A stored image: 32-bit byte count, then a 24-bit BMP file, every pixel
// magenta except (1, 1), which is red.
std::vector<unsigned char> StoredImage(int width, int height) {
    const int stride = ((width * 3 + 3) / 4) * 4;
    const std::uint32_t bits = static_cast<std::uint32_t>(stride * height);
    const std::uint32_t fileSize = 14 + 40 + bits;
    std::vector<unsigned char> out;
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
    };
    auto put16 = [&](std::uint16_t v) {
        out.push_back(static_cast<unsigned char>(v));
        out.push_back(static_cast<unsigned char>(v >> 8));
    };
    put32(fileSize);
    out.push_back('B');
    out.push_back('M');
    put32(fileSize);
    put32(0);
    put32(14 + 40);
    put32(40);
    put32(static_cast<std::uint32_t>(width));
    put32(static_cast<std::uint32_t>(height));
    put16(1);
    put16(24);
    put32(BI_RGB);
    put32(bits);
    put32(0);
    put32(0);
    put32(0);
    put32(0);
    for (int row = height - 1; row >= 0; --row) {  // bottom-up
        for (int x = 0; x < width; ++x) {
            const bool red = x == 1 && row == 1;
            out.push_back(red ? 0 : 255);  // B
            out.push_back(0);              // G
            out.push_back(255);            // R
        }
        for (int pad = width * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

class Surface {
public:
    Surface(int width, int height) : width_(width) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<std::uint32_t*>(bits);
        dc_ = CreateCompatibleDC(nullptr);
        old_ = SelectObject(dc_, bitmap_);
        for (int i = 0; i < width * height; ++i) bits_[i] = 0x00FF00;  // green (0xRRGGBB in a DIB)
    }
    ~Surface() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
        DeleteObject(bitmap_);
    }
    HDC Dc() const { return dc_; }
    std::uint32_t At(int x, int y) const {
        GdiFlush();
        return bits_[y * width_ + x] & 0xFFFFFF;
    }

private:
    int width_;
    HBITMAP bitmap_;
    std::uint32_t* bits_;
    HDC dc_;
    HGDIOBJ old_;
};

class BitmapButtonTest : public test::AppTest {
protected:
    void SetUp() override {
        test::AppTest::SetUp();
        tk::FormParams p;
        p.ClassName = L"QuorvexTestButtons";
        p.Caption = L"buttons";
        p.Left = 40;
        p.Top = 40;
        p.ClientWidth = 200;
        p.ClientHeight = 100;
        form = tk::MakeInstance<tk::Form>(p);
    }
    void TearDown() override {
        form.reset();
        test::AppTest::TearDown();
    }
    void Mouse(UINT msg, int x, int y) {
        SendMessageW(form->Handle(), msg, msg == WM_LBUTTONUP || msg == WM_MBUTTONUP ? 0 : MK_LBUTTON,
                     MAKELPARAM(x, y));
    }
    std::unique_ptr<tk::Form> form;
};

TEST_F(BitmapButtonTest, StoredImagesDrawWithTheirTransparentColour) {
    auto& button = form->Make<TBitmapButton>("btnMin", 10, 20);
    EXPECT_EQ(button.Width(), 83);
    EXPECT_EQ(button.Height(), 28);
    const auto data = StoredImage(6, 4);
    button.SetBitmapFromStoredData(TButtonImage::Normal, data.data(), data.size());
    button.SetBitmapFromStoredData(TButtonImage::Active, data.data(), data.size());
    EXPECT_EQ(button.Width(), 6);
    EXPECT_EQ(button.Height(), 4);

    {
        Surface s(40, 40);
        button.Paint(s.Dc());
        EXPECT_EQ(s.At(10, 20), 0x00FF00u);  // magenta left out
        EXPECT_EQ(s.At(11, 21), 0xFF0000u);  // the red pixel
        EXPECT_EQ(s.At(15, 20), 0x00FF00u);  // no edge line in the normal state
    }
    button.SetTransparent(TButtonImage::Normal, false);
    {
        Surface s(40, 40);
        button.Paint(s.Dc());
        EXPECT_EQ(s.At(10, 20), 0xFF00FFu);
    }
    // Hot with an edge colour: the active image and a one-pixel line at the right.
    button.SetRightBorderColor(RGB(0, 0, 255));
    button.MouseEnter();
    {
        Surface s(40, 40);
        button.Paint(s.Dc());
        EXPECT_EQ(s.At(10, 20), 0x00FF00u);  // the active image is transparent
        EXPECT_EQ(s.At(15, 20), 0x0000FFu);
        EXPECT_EQ(s.At(15, 23), 0x0000FFu);
        EXPECT_EQ(s.At(14, 20), 0x00FF00u);
    }

    const unsigned char shortCount[] = {200, 0, 0, 0, 'B', 'M'};
    EXPECT_THROW(button.SetBitmapFromStoredData(TButtonImage::Down, shortCount, sizeof shortCount), Error);
    auto notBmp = data;
    notBmp[4] = 'X';
    EXPECT_THROW(button.SetBitmapFromStoredData(TButtonImage::Down, notBmp.data(), notBmp.size()), Error);
}

TEST_F(BitmapButtonTest, FormMouseInputClicksBeforeTheToggleAndNeverOnDoubleClick) {
    auto& button = form->Make<TBitmapButton>("btnClose", 10, 10);
    button.SetLatching(true);
    test::Sequence events;
    button.OnClick = [&](tk::GraphicControl&) { events.push_back(button.Down() ? "click(down)" : "click"); };
    button.OnMouseDown = [&](tk::GraphicControl&, tk::MouseButton, tk::ShiftState, int, int) {
        events.push_back("down");
    };
    button.OnMouseUp = [&](tk::GraphicControl&, tk::MouseButton, tk::ShiftState, int, int) {
        events.push_back(button.Down() ? "up(latched)" : "up");
    };
    form->Show();

    Mouse(WM_MOUSEMOVE, 20, 20);
    EXPECT_TRUE(button.Hot());
    Mouse(WM_LBUTTONDOWN, 20, 20);
    EXPECT_TRUE(button.Pressed());
    Mouse(WM_LBUTTONUP, 20, 20);
    EXPECT_TRUE(button.Down());
    // A double click: the second press does not click.
    Mouse(WM_LBUTTONDBLCLK, 20, 20);
    Mouse(WM_LBUTTONUP, 20, 20);
    EXPECT_FALSE(button.Down());
    // Released outside after a press inside: toggles, no click.
    Mouse(WM_LBUTTONDOWN, 20, 20);
    Mouse(WM_LBUTTONUP, 150, 80);
    EXPECT_TRUE(button.Down());
    // The middle button acts like the left one but never clicks.
    Mouse(WM_MBUTTONDOWN, 20, 20);
    Mouse(WM_MBUTTONUP, 20, 20);
    EXPECT_FALSE(button.Down());
    EXPECT_SEQUENCE(
        events, (test::Sequence{"down", "click", "up(latched)", "down", "up", "down", "up(latched)", "down", "up"}));

    // The click operation in code raises OnClick once.
    events.clear();
    button.Click();
    EXPECT_SEQUENCE(events, test::Sequence{"click"});
}

}  // namespace
}  // namespace quorvex

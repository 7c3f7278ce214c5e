// The bitmap button on a toolkit form: what a paint of its images puts on the
// surface, and the mouse as the form delivers it.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "toolkit/form.h"
#include "toolkit/handles.h"
#include "widgets/bitmap_button_win.h"
#include "win/app_fixture_win.h"
#include "win/sequence_win.h"

namespace quorvex {
namespace {

// A 32-bit image, every pixel magenta except (1, 1), which is red.
tk::UniqueBitmap TestImage(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    tk::UniqueBitmap image(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!image) return image;
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels[y * width + x] = x == 1 && y == 1 ? 0xFF0000 : 0xFF00FF;
    }
    GdiFlush();
    return image;
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

TEST_F(BitmapButtonTest, ImagesDrawWithTheirTransparentColour) {
    auto& button = form->Make<TBitmapButton>("btnMin", 10, 20);
    EXPECT_EQ(button.Width(), 83);
    EXPECT_EQ(button.Height(), 28);
    const tk::UniqueBitmap image = TestImage(6, 4);
    ASSERT_TRUE(image);
    button.SetBitmap(TButtonImage::Normal, image.get());
    button.SetBitmap(TButtonImage::Active, image.get());
    EXPECT_EQ(button.Width(), 6);
    EXPECT_EQ(button.Height(), 4);

    {
        Surface s(40, 40);
        button.Paint(s.Dc());
        EXPECT_EQ(s.At(10, 20), 0x00FF00u);  // magenta left out
        EXPECT_EQ(s.At(11, 21), 0xFF0000u);  // the red pixel
        EXPECT_EQ(s.At(15, 20), 0x00FF00u);  // to its right edge
    }
    button.SetTransparent(TButtonImage::Normal, false);
    {
        Surface s(40, 40);
        button.Paint(s.Dc());
        EXPECT_EQ(s.At(10, 20), 0xFF00FFu);
    }
    // Hot: the active image, with its own transparent colour.
    button.MouseEnter();
    {
        Surface s(40, 40);
        button.Paint(s.Dc());
        EXPECT_EQ(s.At(10, 20), 0x00FF00u);
        EXPECT_EQ(s.At(11, 21), 0xFF0000u);
    }
    button.SetTransparentColor(TButtonImage::Active, RGB(255, 0, 0));
    {
        Surface s(40, 40);
        button.Paint(s.Dc());
        EXPECT_EQ(s.At(10, 20), 0xFF00FFu);  // magenta now drawn
        EXPECT_EQ(s.At(11, 21), 0x00FF00u);  // red left out
    }
}

TEST_F(BitmapButtonTest, FormMouseInputClicksOnReleaseInsideAndNeverOnDoubleClick) {
    auto& button = form->Make<TBitmapButton>("btnClose", 10, 10);
    test::Sequence events;
    button.OnClick = [&](tk::GraphicControl&) { events.push_back(button.Pressed() ? "click(pressed)" : "click"); };
    button.OnMouseDown = [&](tk::GraphicControl&, tk::MouseButton, tk::ShiftState, int, int) {
        events.push_back("down");
    };
    button.OnMouseUp = [&](tk::GraphicControl&, tk::MouseButton, tk::ShiftState, int, int) {
        events.push_back(button.Pressed() ? "up+pressed" : "up");
    };
    form->Show();

    Mouse(WM_MOUSEMOVE, 20, 20);
    EXPECT_TRUE(button.Hot());
    Mouse(WM_LBUTTONDOWN, 20, 20);
    EXPECT_TRUE(button.Pressed());
    Mouse(WM_LBUTTONUP, 20, 20);
    EXPECT_FALSE(button.Pressed());
    // A double click: the second press does not click.
    Mouse(WM_LBUTTONDBLCLK, 20, 20);
    EXPECT_TRUE(button.Pressed());
    Mouse(WM_LBUTTONUP, 20, 20);
    // Released outside after a press inside: no click.
    Mouse(WM_LBUTTONDOWN, 20, 20);
    Mouse(WM_LBUTTONUP, 150, 80);
    // The middle button presses like the left one but never clicks.
    Mouse(WM_MBUTTONDOWN, 20, 20);
    EXPECT_TRUE(button.Pressed());
    Mouse(WM_MBUTTONUP, 20, 20);
    EXPECT_FALSE(button.Pressed());
    // The click still sees the press: it comes before the release's effects.
    EXPECT_SEQUENCE(events, (test::Sequence{"down", "click(pressed)", "up", "down", "up", "down", "up", "down", "up"}));

    // The click operation in code raises OnClick once.
    events.clear();
    button.Click();
    EXPECT_SEQUENCE(events, test::Sequence{"click"});
}

}  // namespace
}  // namespace quorvex

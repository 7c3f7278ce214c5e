// How window objects end: the window goes before any layer of its object, a
// half-made form ends without its handlers, and no derived class can be made
// except through tk::Instance.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "base/error.h"
#include "toolkit/form.h"
#include "toolkit/screen.h"
#include "win/test_app.h"

namespace quorvex {
namespace {

using test::Recorded;

tk::FormParams SmallForm() {
    tk::FormParams p{L"QuorvexTestLifetime", L"lifetime"};
    p.ClientWidth = 60;
    p.ClientHeight = 30;
    return p;
}

// A form whose destroy handlers read its own members, as the program's forms do.
class MemberForm : public tk::Form {
public:
    explicit MemberForm(std::vector<std::string>& log) : tk::Form(SmallForm()), log_(log) {
        OnDestroy = [this](tk::Form&) { log_.push_back(std::string("OnDestroy ") + (alive_ ? "whole" : "gone")); };
        AddHandler(WM_NCDESTROY, [this](tk::Message&) {
            log_.push_back(std::string("WM_NCDESTROY ") + (alive_ ? "whole" : "gone"));
            return false;
        });
    }
    ~MemberForm() override {
        alive_ = false;
        log_.push_back("~MemberForm");
    }

private:
    std::vector<std::string>& log_;
    bool alive_ = true;
};

// Derived classes cannot be made on their own: only tk::Instance completes them.
static_assert(std::is_abstract_v<tk::Window> && std::is_abstract_v<tk::Form> && std::is_abstract_v<MemberForm>);
static_assert(!std::is_constructible_v<MemberForm, std::vector<std::string>&>);
static_assert(std::is_constructible_v<tk::Instance<MemberForm>, std::vector<std::string>&>);
static_assert(std::is_constructible_v<tk::Instance<tk::Form>, const tk::FormParams&>);

class WindowLifetime : public ::testing::Test {
protected:
    void SetUp() override {
        test::TestApp();
        Recorded().Clear();
    }
};

TEST_F(WindowLifetime, TheWindowGoesWhileTheWholeFormStillExists) {
    std::vector<std::string> log;
    HWND h = nullptr;
    {
        std::unique_ptr<tk::Form> form = tk::MakeInstance<MemberForm>(log);  // owned through a base pointer
        h = form->Handle();
        ASSERT_TRUE(IsWindow(h));
    }
    EXPECT_FALSE(IsWindow(h));
    const std::vector<std::string> expected = {"OnDestroy whole", "WM_NCDESTROY whole", "~MemberForm"};
    EXPECT_EQ(log, expected);

    // On the stack, and destroyed early by hand: the destructor then has nothing left to do.
    log.clear();
    {
        tk::Instance<MemberForm> form(log);
        form.Destroy();
        EXPECT_EQ(form.Handle(), nullptr);
    }
    EXPECT_EQ(log, expected);
    EXPECT_TRUE(Recorded().Errors.empty());
}

// A derived constructor that fails after the window exists.
class FailingForm : public tk::Form {
public:
    FailingForm(int& destroyHandlerRuns, HWND& window) : tk::Form(SmallForm()) {
        window = Handle();
        OnDestroy = [&destroyHandlerRuns](tk::Form&) { ++destroyHandlerRuns; };
        AddHandler(WM_DESTROY, [&destroyHandlerRuns](tk::Message&) {
            ++destroyHandlerRuns;
            return false;
        });
        throw Error("the form cannot be made");
    }
};

TEST_F(WindowLifetime, AHalfMadeFormEndsWithoutItsHandlers) {
    int destroyHandlerRuns = 0;
    HWND window = nullptr;
    EXPECT_THROW(tk::Instance<FailingForm>(destroyHandlerRuns, window), Error);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(destroyHandlerRuns, 0) << "a handler of the unfinished form ran";
    EXPECT_EQ(tk::Screen::FormOf(window), nullptr);
    for (tk::Form* f : tk::Screen::Forms()) EXPECT_NE(f->Handle(), window);
    EXPECT_TRUE(Recorded().Errors.empty());
}

}  // namespace
}  // namespace quorvex

// The suggestion fetcher against the local suggestion server that the test
// run starts around this program (scripts/with-suggest-server): its address
// in QUORVEX_SUGGEST_SERVER, its request log in QUORVEX_SUGGEST_LOG.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "search/query_url.h"
#include "search/suggest_fetch_win.h"
#include "search/suggest_url.h"
#include "win/window_fixture_win.h"

namespace quorvex {
namespace {

constexpr UINT WM_TEST_SUGGEST = WM_APP + 40;
using Texts = std::vector<std::u16string>;

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A message-only window that records the serials posted to it.
class Receiver {
public:
    Receiver() {
        static const ATOM atom = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = Proc;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"QuorvexTestSuggestReceiver";
            return RegisterClassW(&wc);
        }();
        (void)atom;
        hwnd_ = CreateWindowExW(0, L"QuorvexTestSuggestReceiver", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~Receiver() { DestroyWindow(hwnd_); }
    HWND Handle() const { return hwnd_; }
    bool Got(std::uint32_t serial) const { return std::find(posted_.begin(), posted_.end(), serial) != posted_.end(); }
    const std::vector<std::uint32_t>& Posted() const { return posted_; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<Receiver*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (message == WM_TEST_SUGGEST && self) {
            self->posted_.push_back(static_cast<std::uint32_t>(wParam));
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    HWND hwnd_;
    std::vector<std::uint32_t> posted_;
};

class SuggestFetch : public ::testing::Test {
protected:
    void SetUp() override {
        server = Env("QUORVEX_SUGGEST_SERVER");
        ASSERT_FALSE(server.empty()) << "run through scripts/with-suggest-server (ctest does)";
    }
    // The request for `text` at the server's `path` ("opensearch/utf8/").
    std::string Url(const std::string& path, std::u16string_view text) const {
        return *BuildSuggestUrl({server + "/" + path + "?wd=", TSuggestFormat::OpenSearch}, text);
    }
    // Pumps until `serial` is announced (or `ms` pass), then takes its result.
    std::optional<TSuggestResult> Await(std::uint32_t serial, DWORD ms = 5000) {
        if (!test::PumpUntil([&] { return receiver.Got(serial); }, ms)) return std::nullopt;
        return fetcher.TakeResult(serial);
    }
    // The server's log lines for requests of `text` (ASCII), split at tabs.
    std::vector<std::vector<std::string>> Logged(const std::string& text) const {
        std::vector<std::vector<std::string>> found;
        std::ifstream in(Env("QUORVEX_SUGGEST_LOG"), std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            std::vector<std::string> fields;
            std::istringstream split(line);
            for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
            if (fields.size() == 4 && fields[1] == text) found.push_back(fields);
        }
        return found;
    }
    static std::u16string Unique(const char* tag) {
        const std::string text = std::string(tag) + std::to_string(GetTickCount64());
        return std::u16string(text.begin(), text.end());
    }
    static Texts Expected(const std::u16string& text) { return {text + u"1", text + u"2", text + u"3"}; }

    std::string server;
    Receiver receiver;
    TSuggestFetcher fetcher{receiver.Handle(), WM_TEST_SUGGEST};
};

TEST_F(SuggestFetch, BothFormatsInEveryCharsetDeliverTheItems) {
    for (const char* path : {"baidu/utf8/su", "baidu/gbk/su", "baidu/none/su", "opensearch/utf8/", "opensearch/gbk/",
                             "nolength/opensearch/utf8/"}) {
        for (std::u16string text : {std::u16string(u"北京"), std::u16string(u"Ab c")}) {
            const std::uint32_t serial = fetcher.Request(Url(path, text), text);
            ASSERT_NE(serial, 0u);
            const auto result = Await(serial);
            ASSERT_TRUE(result.has_value()) << path;
            EXPECT_EQ(result->Serial, serial);
            EXPECT_EQ(result->Text, text);
            EXPECT_EQ(result->Items, Expected(text)) << path;
            EXPECT_EQ(fetcher.TakeResult(serial), std::nullopt) << "taken once";
        }
    }
}

TEST_F(SuggestFetch, BadRepliesAndRefusedConnectionsEndWithNoItems) {
    const std::u16string text = u"北京";
    std::vector<std::string> urls;
    for (const char* path :
         {"status/500/baidu/utf8/", "status/404/opensearch/utf8/", "malformed/baidu/gbk/", "malformed/opensearch/utf8/",
          "huge/opensearch/utf8/", "nolength/huge/opensearch/utf8/", "wrongcharset/baidu/utf8/"})
        urls.push_back(Url(path, text));
    // Nothing listens on port 1 of the loopback address.
    urls.push_back("http://127.0.0.1:1/?q=%61");
    for (const std::string& url : urls) {
        const ULONGLONG start = GetTickCount64();
        const std::uint32_t serial = fetcher.Request(url, text);
        const auto result = Await(serial);
        ASSERT_TRUE(result.has_value()) << url;
        EXPECT_TRUE(result->Items.empty()) << url;
        EXPECT_LT(GetTickCount64() - start, TSuggestFetcher::TimeLimitMs + 1000) << url;
    }
}

TEST_F(SuggestFetch, SlowServersEndAtTheTimeLimit) {
    // One that never answers, one that answers a byte every 300 ms (each
    // read would be within any per-call timeout).
    for (const char* path : {"hang/baidu/utf8/", "drip/300/opensearch/utf8/"}) {
        const ULONGLONG start = GetTickCount64();
        const std::uint32_t serial = fetcher.Request(Url(path, u"ab"), u"ab");
        const auto result = Await(serial, TSuggestFetcher::TimeLimitMs + 3000);
        const ULONGLONG took = GetTickCount64() - start;
        ASSERT_TRUE(result.has_value()) << path;
        EXPECT_TRUE(result->Items.empty()) << path;
        EXPECT_GE(took, TSuggestFetcher::TimeLimitMs - 100) << path;
        EXPECT_LT(took, TSuggestFetcher::TimeLimitMs + 1000) << path;
    }
}

TEST_F(SuggestFetch, ANewerRequestOrCancelAbandonsTheOlder) {
    // The older hangs: the newer one must not wait behind it.
    const std::uint32_t hanging = fetcher.Request(Url("hang/baidu/utf8/", u"a"), u"a");
    const std::uint32_t slow = fetcher.Request(Url("delay/300/baidu/utf8/", u"ab"), u"ab");
    const ULONGLONG start = GetTickCount64();
    const std::uint32_t newest = fetcher.Request(Url("delay/600/opensearch/utf8/", u"abc"), u"abc");
    EXPECT_LT(hanging, slow);
    EXPECT_LT(slow, newest);
    const auto result = Await(newest);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->Items, Expected(u"abc"));
    EXPECT_LT(GetTickCount64() - start, 1500u);
    // The 300 ms reply would have come before the 600 ms one.
    EXPECT_EQ(receiver.Posted(), std::vector<std::uint32_t>{newest});
    EXPECT_EQ(fetcher.TakeResult(hanging), std::nullopt);
    EXPECT_EQ(fetcher.TakeResult(slow), std::nullopt);

    // A cancelled request is never announced; the next one is.
    const std::uint32_t cancelled = fetcher.Request(Url("delay/200/opensearch/utf8/", u"x"), u"x");
    fetcher.Cancel();
    const std::uint32_t after = fetcher.Request(Url("delay/500/opensearch/utf8/", u"y"), u"y");
    ASSERT_TRUE(Await(after).has_value());
    EXPECT_FALSE(receiver.Got(cancelled));
    EXPECT_EQ(fetcher.TakeResult(cancelled), std::nullopt);
}

TEST_F(SuggestFetch, StopReturnsPromptlyWhileARequestHangs) {
    const std::u16string text = Unique("stop");
    const std::string ascii(text.begin(), text.end());
    const std::uint32_t serial = fetcher.Request(Url("hang/opensearch/utf8/", text), text);
    // The server has it: the request is in flight.
    ASSERT_TRUE(test::PumpUntil([&] { return !Logged(ascii).empty(); }, 5000));
    const ULONGLONG start = GetTickCount64();
    fetcher.Stop();
    EXPECT_LT(GetTickCount64() - start, 1500u);
    EXPECT_EQ(fetcher.TakeResult(serial), std::nullopt);
    EXPECT_EQ(fetcher.Request(Url("opensearch/utf8/", u"ab"), u"ab"), 0u);
    fetcher.Stop();  // twice is fine
}

TEST_F(SuggestFetch, SendsItsUserAgentAndNoCookies) {
    const std::u16string text = Unique("ua");
    const std::string ascii(text.begin(), text.end());
    // The server sets a cookie on every reply; a second request must not return it.
    for (int i = 0; i < 2; ++i) ASSERT_TRUE(Await(fetcher.Request(Url("opensearch/utf8/", text), text)).has_value());
    const auto lines = Logged(ascii);
    ASSERT_EQ(lines.size(), 2u);
    for (const auto& fields : lines) {
        EXPECT_EQ(fields[2], "Quorvex/" QUORVEX_VERSION_TEXT);
        EXPECT_EQ(fields[3], "-");
    }
}

}  // namespace
}  // namespace quorvex

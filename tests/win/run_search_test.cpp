// The search path end to end through the real shell: the URL that the shell's
// http handler receives, byte for byte.
#include <gtest/gtest.h>

#include "search/run_search_win.h"
#include "search/search_engine.h"
#include "search/search_types.h"
#include "win/url_log.h"

namespace quorvex {
namespace {

class RunSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(test::UrlLogPath().empty()) << "run inside scripts/wine-session --recorder";
        test::ClearUrlLog();
        engines.FillFromDefs();
        ASSERT_NE(engines.CurrentEngine(), nullptr);
    }
    TSearchEngines engines;
};

TEST_F(RunSearchTest, EveryCategoryHandsTheShellTheExactGbkUrl) {
    // ASCII, a space, '+', '%', a tab and Chinese, as the query box holds it.
    const std::wstring query = L"a b+%\t\u4E2D\u6587";
    const std::string encoded = "%61+%62%2B%25%09%D6%D0%CE%C4";
    std::vector<std::string> expected;
    for (const TSearchTypeDef& type : SearchTypes) {
        ASSERT_TRUE(RunSearch(*engines.CurrentEngine(), type.Key, query)) << type.Key;
        expected.push_back(std::string(SearchEngineDefs[0].URLPrefix[type.Id]) + encoded +
                           SearchEngineDefs[0].URLSuffix[type.Id]);
    }
    auto got = test::WaitForUrls(expected.size());
    // The handlers run as separate processes and may append in any order.
    std::sort(got.begin(), got.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(got, expected);
}

TEST_F(RunSearchTest, BlankQueriesAndUnknownKeysNeverReachTheShell) {
    EXPECT_FALSE(RunSearch(*engines.CurrentEngine(), "Web", L""));
    EXPECT_FALSE(RunSearch(*engines.CurrentEngine(), "Web", L"   "));
    EXPECT_FALSE(RunSearch(*engines.CurrentEngine(), "Web", L" \t\r\n "));
    EXPECT_FALSE(RunSearch(*engines.CurrentEngine(), "NoSuchKey", L"abc"));
    EXPECT_FALSE(RunSearch(*engines.CurrentEngine(), "", L"abc"));
    // A real search afterwards is the only one recorded.
    ASSERT_TRUE(RunSearch(*engines.CurrentEngine(), "web", L" abc "));
    auto got = test::WaitForUrls(1);
    Sleep(500);  // give a stray handler time to show up
    got = test::ReadUrlLog();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0], "http://www.baidu.com/baidu?tn=sitekvtq&word=+%61%62%63+");
}

TEST_F(RunSearchTest, QueriesGbkCannotHoldGoAsUtf8InEveryCategory) {
    // The web category in full; every other one carries the UTF-8 bytes and
    // names the encoding exactly once.
    ASSERT_TRUE(RunSearch(*engines.CurrentEngine(), "Web", L"\u6211\u7231\U0001F600\u5317\u4EAC"));
    auto got = test::WaitForUrls(1);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0],
              "http://www.baidu.com/baidu?tn=sitekvtq&word=%E6%88%91%E7%88%B1%F0%9F%98%80%E5%8C%97%E4%BA%AC&ie=utf-8");
    // No-break space has a best-fit GBK mapping (a plain space): not exact.
    test::ClearUrlLog();
    for (const TSearchTypeDef& type : SearchTypes)
        ASSERT_TRUE(RunSearch(*engines.CurrentEngine(), type.Key, L"a\u00A0\uD55C")) << type.Key;
    got = test::WaitForUrls(SearchTypes.size());
    ASSERT_EQ(got.size(), SearchTypes.size());
    for (const std::string& url : got) {
        EXPECT_NE(url.find("%61%C2%A0%ED%95%9C"), std::string::npos) << url;
        EXPECT_NE(url.find("ie=utf-8"), std::string::npos) << url;
        EXPECT_EQ(url.find("ie="), url.rfind("ie=")) << url;
    }
}

}  // namespace
}  // namespace quorvex

// The suggestion list open under (or over) the bar, with history matches and
// the service's words, as the gallery shows it at the session's scale. The
// service is the local test server (scripts/with-suggest-server).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bar/search_bar_win.h"
#include "bar/suggest_box_win.h"
#include "bar/suggest_list_win.h"
#include "config/config.h"
#include "config/registry_key_win.h"
#include "gallery/shot_win.h"
#include "toolkit/combo_box.h"

namespace quorvex {
namespace {

std::string PercentEncoded(const std::wstring& text) {
    const int n =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    std::string out;
    for (unsigned char c : bytes) {
        char escaped[4];
        std::snprintf(escaped, sizeof escaped, "%%%02X", c);
        out += escaped;
    }
    return out;
}

using SuggestShots = test::Gallery<test::FirstRunTest>;

TEST_F(SuggestShots, ListOpen) {
    const char* server = std::getenv("QUORVEX_SUGGEST_SERVER");
    ASSERT_TRUE(server && *server) << "run under scripts/with-suggest-server";
    std::string words;
    for (const wchar_t* w :
         {L"北京天气", L"北京时间", L"北京大学", L"北京地铁线路图", L"北京环球影城", L"北京到上海高铁"})
        words += (words.empty() ? "" : ",") + PercentEncoded(w);
    const std::string prefix = std::string(server) + "/words/" + words + "/baidu/utf8/su?ie=utf-8&json=1&wd=";
    {
        TRegistryKey key;
        ASSERT_TRUE(key.CreateWrite(HKEY_CURRENT_USER, ConfigRegistryKey));
        const std::wstring url(prefix.begin(), prefix.end());
        key.SetValue(SuggestUrlValueName, REG_SZ, url.c_str(), static_cast<DWORD>((url.size() + 1) * sizeof(wchar_t)));
        const DWORD on = 1;
        key.SetValue(SuggestValueName, REG_DWORD, &on, sizeof on);
    }
    auto bar = tk::MakeInstance<TF_Search>();
    ASSERT_TRUE(GetConfig().Suggest());
    bar->cbxSearchText->SetItems({L"北京故宫门票", L"天气预报", L"北京时间", L"上海迪士尼"});
    ShowWindow(bar->Handle(), SW_SHOW);
    SetForegroundWindow(bar->Handle());
    bar->cbxSearchText->SetFocus();
    for (wchar_t c : std::wstring(L"北京")) SendMessageW(bar->cbxSearchText->EditHandle(), WM_CHAR, c, 0);

    // History matches first, then the service's words not already shown.
    TSuggestBox& box = bar->Suggestions();
    const bool full =
        test::PumpUntil([&] { return box.IsOpen() && SendMessageW(box.List()->ListHandle(), LB_GETCOUNT, 0, 0) == 7; });
    ASSERT_TRUE(full) << "the list did not fill";
    // The first row highlighted and in the box, as after a press of Down.
    unsigned key = VK_DOWN;
    box.PreviewKey(key, 0);
    Take({bar->Handle(), box.List()->Handle()}, "suggest_list");
}

}  // namespace
}  // namespace quorvex

#include "search/search_types.h"

#include "base/checked.h"

namespace quorvex {

const std::array<TSearchTypeDef, SearchTypeCount> SearchTypes = {{
    {0, "Web", "网页", 1},
    {1, "MP3", "MP3", 2},
    {2, "Lyric", "歌词", 4},
    {3, "Photo", "图片", 8},
    {4, "News", "新闻", 16},
    {5, "PostBar", "贴吧", 32},
    {6, "Dictionary", "词典", 64},
    {7, "Book", "图书", 128},
    {8, "Movie", "电影", 256},
    {9, "Game", "游戏", 512},
    {10, "Software", "软件", 1024},
}};

namespace {
// The service's hosts. Paths and queries below are the service's own.
#define QV_WEB "http://www.baidu.com"
#define QV_MP3 "http://mp3.baidu.com"
#define QV_IMAGE "http://image.baidu.com"
#define QV_NEWS "http://news.baidu.com"
#define QV_FORUM "http://tieba.baidu.com"

constexpr const char* None = nullptr;
}  // namespace

const std::array<TSearchEngineDef, BuiltInEngineCount> SearchEngineDefs = {{
    {"百度",
     {QV_WEB "/baidu?tn=sitekvtq&word=", QV_MP3 "/m?lm=-1&rn=&tn=baidump3&ct=134217728&word=",
      QV_MP3 "/m?lm=-1&rn=10&tn=baidump3lyric&ct=150994944&word=",
      QV_IMAGE "/i?ct=201326592&cl=2&lm=-1&tn=baiduimage&word=", QV_NEWS "/ns?cl=0&rn=30&tn=news&word=",
      QV_FORUM "/f?cb=sitekvtq&kw=", QV_WEB "/s?lm=0&si=&rn=10&ie=gb2312&ct=1048576&wd=",
      QV_WEB "/baidu?tn=sitekvtq&word=%CD%BC%CA%E9%20%A1%B6", QV_WEB "/baidu?tn=sitekvtq&word=%B5%E7%D3%B0%20%A1%B6",
      QV_WEB "/baidu?tn=sitekvtq&word=%D3%CE%CF%B7%20%A1%B6", QV_WEB "/baidu?tn=sitekvtq&word=%C8%ED%BC%FE%20"},
     {"", "", "", "", "", "", "", "%A1%B7", "%A1%B7", "%A1%B7", ""},
     TQueryCharset::Gbk,
     "https://suggestion.baidu.com/su?ie=utf-8&json=1&wd=",
     TSuggestFormat::ServiceWrapper},
    {"必应",
     {"https://cn.bing.com/search?q=", None, None,
      "https://cn.bing.com/images/search?q=", "https://cn.bing.com/news/search?q=", None,
      "https://cn.bing.com/dict/search?q=", None, "https://cn.bing.com/videos/search?q=", None, None},
     {"", None, None, "", "", None, "", None, "", None, None},
     TQueryCharset::Utf8,
     "https://api.bing.com/osjson.aspx?query=",
     TSuggestFormat::OpenSearch},
    {"搜狗",
     {"https://www.sogou.com/web?ie=utf8&query=", None, None, "https://pic.sogou.com/pics?query=", None, None, None,
      None, None, None, None},
     {"", None, None, "", None, None, None, None, None, None, None},
     TQueryCharset::Utf8,
     nullptr,
     TSuggestFormat::OpenSearch},
    {"360搜索",
     {"https://www.so.com/s?q=", None, None, "https://image.so.com/i?q=", "https://news.so.com/ns?q=", None, None, None,
      None, None, None},
     {"", None, None, "", "", None, None, None, None, None, None},
     TQueryCharset::Utf8,
     nullptr,
     TSuggestFormat::OpenSearch},
}};

#undef QV_WEB
#undef QV_MP3
#undef QV_IMAGE
#undef QV_NEWS
#undef QV_FORUM

const char* SearchButtonName(int id) {
    static const std::array<const char*, SearchTypeCount> names = {
        "btnWeb",        "btnMP3",  "btnLyric", "btnPhoto", "btnNews",    "btnPostBar",
        "btnDictionary", "btnBook", "btnMovie", "btnGame",  "btnSoftware"};
    return names[CheckedIndex(static_cast<std::size_t>(id), names.size())];
}

const char* SearchMenuItemName(int id) {
    static const std::array<const char*, SearchTypeCount> names = {"miWeb",   "miMP3",     "miLyric",      "miPhoto",
                                                                   "miNews",  "miPostBar", "miDictionary", "miBook",
                                                                   "miMovie", "miGame",    "miSoftware"};
    return names[CheckedIndex(static_cast<std::size_t>(id), names.size())];
}

}  // namespace quorvex

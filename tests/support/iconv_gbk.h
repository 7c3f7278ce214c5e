#pragma once
// glibc's own GBK tables as the oracle the native tests hold the GBK rules to
// (the program itself converts with the platform's code page 936).
#include <iconv.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "search/query_url.h"

namespace quorvex::oracle {

// One iconv conversion, opened once (opening it costs more than a short text's
// conversion, which matters to the fuzz targets).
class IconvConverter {
public:
    IconvConverter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no iconv");
    }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;
    ~IconvConverter() { iconv_close(cd_); }

    // `in` converted, or nullopt when a character has no exact counterpart
    // (unconvertible, invalid input, or an irreversible step).
    std::optional<std::string> Convert(std::string_view in) const {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state
        std::string out(in.size() * 4 + 8, '\0');
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = out.data();
        std::size_t dstLeft = out.size();
        const std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
        if (r == static_cast<std::size_t>(-1) || r != 0) return std::nullopt;  // unconvertible or lossy
        out.resize(out.size() - dstLeft);
        return out;
    }

private:
    iconv_t cd_;
};

inline std::string_view Utf16Bytes(std::u16string_view text) {
    return {reinterpret_cast<const char*>(text.data()), text.size() * 2};
}

inline std::u16string FromUtf16Bytes(std::string_view bytes) {
    std::u16string text(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    return text;
}

class IconvGbk final : public GbkCodec {
public:
    // Exact means the bytes convert back to the text, as the platform's codec
    // checks it: glibc drops some characters without a word (the language
    // tags U+E0000-U+E007F), which would otherwise pass as held by GBK.
    std::optional<std::string> ToGbkExact(std::u16string_view text) const override {
        auto gbk = toGbk_.Convert(Utf16Bytes(text));
        if (!gbk) return std::nullopt;
        const auto back = fromGbk_.Convert(*gbk);
        if (!back || FromUtf16Bytes(*back) != text) return std::nullopt;
        return gbk;
    }
    std::u16string FromGbk(std::string_view gbk) const override {
        const auto wide = fromGbk_.Convert(gbk);
        if (!wide) return u"?";
        return FromUtf16Bytes(*wide);
    }

private:
    IconvConverter toGbk_{"GBK", "UTF-16LE"};
    IconvConverter fromGbk_{"UTF-16LE", "GBK"};
};

}  // namespace quorvex::oracle

#pragma once
// GBK as the system's code page 936 tables convert it.
#include <optional>
#include <string>
#include <string_view>

#include "search/query_url.h"

namespace quorvex {

// Exact means no default character, no best-fit mapping, and the bytes
// convert back to the same text.
class SystemGbkCodec final : public GbkCodec {
public:
    std::optional<std::string> ToGbkExact(std::u16string_view text) const override;
    std::u16string FromGbk(std::string_view gbk) const override;
};

}  // namespace quorvex

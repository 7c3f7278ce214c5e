#pragma once
// A named part of a form: controls, menus and helper objects. Forms own their
// components and find them by name; a name that is not there gives nullptr,
// and callers skip the missing part.
#include <string>
#include <string_view>

namespace quorvex::tk {

class Component {
public:
    virtual ~Component() = default;
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    // Free-for-use number; the bar keeps a category's index or bit here.
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

protected:
    Component() = default;

private:
    std::string name_;
    int tag_ = 0;
};

}  // namespace quorvex::tk

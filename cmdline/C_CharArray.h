// The null-terminated array of null-terminated strings that list options hand to callers needing it.
#pragma once

#include <memory>
#include <string>
#include <vector>

class C_CharArray {
public:
    explicit C_CharArray(const std::vector<std::string>& items) : items_(items)
    {
        pointers_.reserve(items_.size() + 1);
        for (const std::string& item : items_)
            pointers_.push_back(item.c_str());
        pointers_.push_back(nullptr);
    }
    C_CharArray(const C_CharArray&) = delete;
    C_CharArray& operator=(const C_CharArray&) = delete;

    const char* const* data() const { return pointers_.data(); }

private:
    std::vector<std::string> items_;
    std::vector<const char*> pointers_;
};

// The cached array of a list option: built on the first request, dropped whenever the list changes.
class C_CharArrayCache {
public:
    C_CharArrayCache() = default;
    // A copied option builds its own array when asked.
    C_CharArrayCache(const C_CharArrayCache&) {}
    C_CharArrayCache& operator=(const C_CharArrayCache&) = delete;

    template <class MakeItems>
    const char* const* get(MakeItems makeItems) const
    {
        if (!array_)
            array_ = std::make_unique<C_CharArray>(makeItems());
        return array_->data();
    }
    void drop() { array_.reset(); }
    bool isBuilt() const { return array_ != nullptr; }

private:
    mutable std::unique_ptr<C_CharArray> array_;
};

// Iterator ids over ranges of a container: a vector of (id, current, end) indexed by id, with
// released ids recycled most recent first.
#pragma once

#include "PostAnalysisAssertion.h"

#include <cstddef>
#include <vector>

template <class Iterator>
class IterCont {
public:
    // Takes an id for the range: the most recently released one, or a new one.
    int add(Iterator current, Iterator end)
    {
        ++counter_;
        if (!released_.empty()) {
            const int key = released_.back();
            released_.pop_back();
            itStore_[static_cast<std::size_t>(key)] = Entry{key, current, end, true};
            return key;
        }
        if (static_cast<std::size_t>(nextId_) < itStore_.size())
            postAnalysisAssertionFailed("IterCont", 51,
                                        "nextId >= itStore.size () && \"STL container out of sink with Id numbers.\"");
        itStore_.push_back(Entry{nextId_, current, end, true});
        return nextId_++;
    }

    bool atEnd(int key) const
    {
        checkKey(key, 98);
        const Entry& entry = itStore_[static_cast<std::size_t>(key)];
        return entry.current == entry.end;
    }

    // The iterator at the current position; the caller has checked atEnd.
    Iterator current(int key) const
    {
        checkKey(key, 85);
        return itStore_[static_cast<std::size_t>(key)].current;
    }

    // Advances; true when the end is now reached, and then the id is released for reuse.
    bool next(int key)
    {
        checkKey(key, 72);
        Entry& entry = itStore_[static_cast<std::size_t>(key)];
        if (entry.current != entry.end)
            ++entry.current;
        if (entry.current != entry.end)
            return false;
        if (entry.live) {
            entry.live = false;
            --counter_;
            released_.push_back(key);
        }
        return true;
    }

    // Ids in use.
    int liveCount() const { return counter_; }
    // The id a new iterator gets when none has been released.
    int nextId() const { return nextId_; }

private:
    struct Entry {
        int id;
        Iterator current;
        Iterator end;
        bool live;
    };

    void checkKey(int key, int line) const
    {
        if (key < 0 || key >= nextId_)
            postAnalysisAssertionFailed("IterCont", line, "key < nextId && \"Iterator Id is out of range.\"");
    }

    std::vector<Entry> itStore_;
    int counter_ = 0;
    int nextId_ = 0;
    std::vector<int> released_;
};

// Base of every reference-counted object of the suppression tool, and the counted handle to it.
#pragma once

#include <cstdint>
#include <utility>

class U_Ref {
public:
    static constexpr std::int32_t kMarker = 4711;

    U_Ref() = default;
    // A copy is a new object: it starts unshared, whatever the original's count.
    U_Ref(const U_Ref&) {}
    U_Ref& operator=(const U_Ref&) { return *this; }
    virtual ~U_Ref() = default;

    void addRef() const { ++refCount_; }
    // Drops one reference; the object deletes itself when none is left.
    void release() const
    {
        if (--refCount_ == 0)
            delete this;
    }
    std::int32_t refCount() const { return refCount_; }
    std::int32_t marker() const { return marker_; }

private:
    mutable std::int32_t refCount_ = 0;
    std::int32_t marker_ = kMarker;
};

// A counted handle: copying adds a reference, dropping releases one; a null handle means absent.
template <class T>
class U_Handle {
public:
    U_Handle() = default;
    U_Handle(std::nullptr_t) {}
    U_Handle(T* object) : object_(object) { acquire(); }
    U_Handle(const U_Handle& other) : object_(other.object_) { acquire(); }
    U_Handle(U_Handle&& other) noexcept : object_(other.object_) { other.object_ = nullptr; }
    template <class U>
    U_Handle(const U_Handle<U>& other) : object_(other.get()) { acquire(); }
    ~U_Handle() { reset(); }

    U_Handle& operator=(U_Handle other) noexcept
    {
        std::swap(object_, other.object_);
        return *this;
    }

    void reset()
    {
        T* old = object_;
        object_ = nullptr;
        if (old)
            old->release();
    }

    T* get() const { return object_; }
    T* operator->() const { return object_; }
    T& operator*() const { return *object_; }
    explicit operator bool() const { return object_ != nullptr; }
    bool operator==(const U_Handle& other) const { return object_ == other.object_; }
    bool operator!=(const U_Handle& other) const { return object_ != other.object_; }

    // Reinterprets the handle as one to a derived type (nullptr when the object is not one).
    template <class U>
    U_Handle<U> dynamicCast() const { return U_Handle<U>(dynamic_cast<U*>(object_)); }

private:
    void acquire()
    {
        if (object_)
            object_->addRef();
    }

    T* object_ = nullptr;
};

template <class T, class... Args>
U_Handle<T> makeHandle(Args&&... args)
{
    return U_Handle<T>(new T(std::forward<Args>(args)...));
}

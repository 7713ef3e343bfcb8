#pragma once
// An owning holder for one reference to a COM interface: released when dropped or replaced, AddRef on copy.

#include <windows.h>
// windows.h first: the COM headers below build on it
#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace tolmin::win {

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    ComPtr(const ComPtr& other) : ptr_(other.ptr_) {
        if (ptr_) ptr_->AddRef();
    }
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ~ComPtr() { reset(); }

    ComPtr& operator=(const ComPtr& other) {
        if (this != &other) {
            if (other.ptr_) other.ptr_->AddRef();
            reset();
            ptr_ = other.ptr_;
        }
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }

    // Takes over a reference the caller already owns (no AddRef).
    static ComPtr attach(T* owned) {
        ComPtr p;
        p.ptr_ = owned;
        return p;
    }
    // Shares `borrowed` (AddRef).
    static ComPtr share(T* borrowed) {
        if (borrowed) borrowed->AddRef();
        return attach(borrowed);
    }

    T* get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }

    // The address for an out-parameter; the interface held so far is released first.
    T** put() {
        reset();
        return &ptr_;
    }
    // put() as void**, for QueryInterface-style calls.
    void** put_void() { return reinterpret_cast<void**>(put()); }

    void reset() {
        if (T* old = std::exchange(ptr_, nullptr)) old->Release();
    }

    // The same object as interface U, or null when it does not have it; the HRESULT of the query in `hr`.
    template <class U>
    ComPtr<U> as(HRESULT* hr = nullptr) const {
        ComPtr<U> out;
        HRESULT result = E_POINTER;
        if (ptr_) result = ptr_->QueryInterface(__uuidof(U), out.put_void());
        if (FAILED(result)) out.reset();
        if (hr) *hr = result;
        return out;
    }

private:
    T* ptr_ = nullptr;
};

}  // namespace tolmin::win

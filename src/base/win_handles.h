// Small owners for the Windows resources the program holds: each releases its
// resource exactly once, on every path.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>

#include <utility>

template <typename Traits>
class UniqueResource {
public:
    using Type = typename Traits::Type;

    UniqueResource() = default;
    explicit UniqueResource(Type value) : value_(value) {}
    UniqueResource(const UniqueResource&) = delete;
    UniqueResource& operator=(const UniqueResource&) = delete;
    UniqueResource(UniqueResource&& other) noexcept : value_(other.Detach()) {}
    UniqueResource& operator=(UniqueResource&& other) noexcept
    {
        if (this != &other) Reset(other.Detach());
        return *this;
    }
    ~UniqueResource() { Reset(); }

    Type Get() const { return value_; }
    bool IsValid() const { return Traits::IsValid(value_); }
    explicit operator bool() const { return IsValid(); }

    void Reset(Type value = Traits::Invalid())
    {
        if (Traits::IsValid(value_)) Traits::Close(value_);
        value_ = value;
    }
    Type Detach() { return std::exchange(value_, Traits::Invalid()); }

private:
    Type value_ = Traits::Invalid();
};

struct HandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::CloseHandle(h); }
};

struct FindHandleTraits {
    using Type = HANDLE;
    static Type Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) { ::FindClose(h); }
};

struct LibraryTraits {
    using Type = HMODULE;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { ::FreeLibrary(h); }
};

struct BstrTraits {
    using Type = BSTR;
    static Type Invalid() { return nullptr; }
    static bool IsValid(Type s) { return s != nullptr; }
    static void Close(Type s) { ::SysFreeString(s); }
};

using UniqueHandle = UniqueResource<HandleTraits>;
using FindHandle = UniqueResource<FindHandleTraits>;
using Library = UniqueResource<LibraryTraits>;
using Bstr = UniqueResource<BstrTraits>;

// A VARIANT that is cleared when it goes.
class Variant {
public:
    Variant() { ::VariantInit(&value_); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ::VariantClear(&value_); }

    VARIANT* Get() { return &value_; }
    const VARIANT* Get() const { return &value_; }
    VARIANT* Put()
    {
        ::VariantClear(&value_);
        return &value_;
    }

private:
    VARIANT value_;
};

// One COM interface reference.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            Reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    ~ComPtr() { Reset(); }

    // A second reference to an interface someone else owns.
    static ComPtr AddRefOf(T* p)
    {
        ComPtr result;
        if (p != nullptr) {
            p->AddRef();
            result.p_ = p;
        }
        return result;
    }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

    // Takes over a reference the caller already holds.
    void Attach(T* p)
    {
        Reset();
        p_ = p;
    }

    // The address to receive a new reference; the old one is released first.
    T** Put()
    {
        Reset();
        return &p_;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }

    void Reset()
    {
        if (p_ != nullptr) std::exchange(p_, nullptr)->Release();
    }

    template <typename U>
    ComPtr<U> As(REFIID iid) const
    {
        ComPtr<U> other;
        if (p_ != nullptr) p_->QueryInterface(iid, other.PutVoid());
        return other;
    }

private:
    T* p_ = nullptr;
};

// One CoInitialize paired with its CoUninitialize. Inside the program's OLE
// apartment this only nests; a refused initialisation is not undone.
class ComScope {
public:
    ComScope() : result_(::CoInitialize(nullptr)) {}
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope()
    {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }

private:
    HRESULT result_;
};

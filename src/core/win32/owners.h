// Owners of the kernel's and COM's resources: each lets go of what it holds
// when replaced or when it goes, unless the holding was handed on.
#pragma once

#include <windows.h>

#include <utility>

namespace brimel {

// A COM interface pointer, released when replaced or when the owner goes.
template <class Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* Get() const { return pointer_; }
    Interface* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    void Reset(Interface* pointer = nullptr) {
        if (pointer_ != nullptr && pointer_ != pointer) pointer_->Release();
        pointer_ = pointer;
    }
    // For functions that hand out a new reference: releases what is held.
    Interface** Receive() {
        Reset();
        return &pointer_;
    }
    void** ReceiveVoid() { return reinterpret_cast<void**>(Receive()); }

private:
    Interface* pointer_ = nullptr;
};

// A movable global memory block, freed when the owner goes unless it was
// handed on (Release), for instance to a stream that frees it itself.
class GlobalMemory {
public:
    explicit GlobalMemory(SIZE_T size) : handle_(GlobalAlloc(GMEM_MOVEABLE, size)) {}
    ~GlobalMemory() {
        if (handle_) GlobalFree(handle_);
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    HGLOBAL Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    HGLOBAL Release() { return std::exchange(handle_, nullptr); }

private:
    HGLOBAL handle_;
};

// A loaded DLL, freed when the owner goes.
class Library {
public:
    explicit Library(HMODULE module) : module_(module) {}
    ~Library() {
        if (module_) FreeLibrary(module_);
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    // The DLL's export `name` as a function of the type `Function`; null when
    // the DLL is not loaded or lacks it.
    template <class Function>
    Function Export(const char* name) const {
        return module_ ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module_, name)))
                       : nullptr;
    }

private:
    HMODULE module_;
};

// A global block locked while the lock lives.
class GlobalLockIn {
public:
    explicit GlobalLockIn(HGLOBAL handle) : handle_(handle), data_(handle ? GlobalLock(handle) : nullptr) {}
    ~GlobalLockIn() {
        if (data_) GlobalUnlock(handle_);
    }
    GlobalLockIn(const GlobalLockIn&) = delete;
    GlobalLockIn& operator=(const GlobalLockIn&) = delete;
    void* Data() const { return data_; }

private:
    HGLOBAL handle_;
    void* data_;
};

}  // namespace brimel

// Owners of GDI objects and device contexts. Every GDI object the toolkit
// makes is held by one of these, which also keeps a live count (Wine's
// GetGuiResources reports no GDI counts, so leak tests use this one).
#pragma once
#include <windows.h>

#include <utility>

// Number of GDI objects currently owned through NGdiObject in this process.
long NLiveGdiObjects();

namespace ngdi_detail {
void CountCreated();
void CountDeleted();
}

template <typename H>
class NGdiObject {
public:
    NGdiObject() = default;
    explicit NGdiObject(H handle) { Reset(handle); }
    ~NGdiObject() { Reset(); }
    NGdiObject(const NGdiObject&) = delete;
    NGdiObject& operator=(const NGdiObject&) = delete;
    NGdiObject(NGdiObject&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    NGdiObject& operator=(NGdiObject&& other) noexcept
    {
        if (this != &other) { Reset(); m_handle = std::exchange(other.m_handle, nullptr); }
        return *this;
    }
    void Reset(H handle = nullptr)
    {
        if (m_handle) { DeleteObject(m_handle); ngdi_detail::CountDeleted(); }
        m_handle = handle;
        if (m_handle) ngdi_detail::CountCreated();
    }
    H Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    H m_handle = nullptr;
};

using NFont = NGdiObject<HFONT>;
using NBitmap = NGdiObject<HBITMAP>;
using NBrush = NGdiObject<HBRUSH>;
using NPen = NGdiObject<HPEN>;

// A memory device context compatible with another one.
class NMemoryDC {
public:
    explicit NMemoryDC(HDC compatibleWith = nullptr);
    ~NMemoryDC();
    NMemoryDC(const NMemoryDC&) = delete;
    NMemoryDC& operator=(const NMemoryDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc = nullptr;
};

// Selects an object into a device context for one scope.
class NSelect {
public:
    NSelect(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(object ? SelectObject(dc, object) : nullptr) {}
    ~NSelect() { if (m_old) SelectObject(m_dc, m_old); }
    NSelect(const NSelect&) = delete;
    NSelect& operator=(const NSelect&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// A window's device context for one scope (GetDC / ReleaseDC).
class NWindowDC {
public:
    explicit NWindowDC(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~NWindowDC() { if (m_dc) ReleaseDC(m_window, m_dc); }
    NWindowDC(const NWindowDC&) = delete;
    NWindowDC& operator=(const NWindowDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// An icon owned by one object (duplicated from what it was given).
class NIcon {
public:
    NIcon() = default;
    ~NIcon() { Reset(); }
    NIcon(const NIcon&) = delete;
    NIcon& operator=(const NIcon&) = delete;
    NIcon(NIcon&& other) noexcept : m_icon(std::exchange(other.m_icon, nullptr)) {}
    NIcon& operator=(NIcon&& other) noexcept
    {
        if (this != &other) { Reset(); m_icon = std::exchange(other.m_icon, nullptr); }
        return *this;
    }
    // Keeps a copy of icon (nothing when icon is null).
    void CopyFrom(HICON icon) { Reset(); if (icon) m_icon = CopyIcon(icon); }
    void Reset() { if (m_icon) DestroyIcon(m_icon); m_icon = nullptr; }
    HICON Get() const { return m_icon; }

private:
    HICON m_icon = nullptr;
};

// A system library loaded by name for functions that may be missing on older
// systems; freed with its owner.
#pragma once
#include <windows.h>

class NLibrary {
public:
    explicit NLibrary(const wchar_t* name) : m_module(LoadLibraryW(name)) {}
    virtual ~NLibrary() { if (m_module) FreeLibrary(m_module); }
    NLibrary(const NLibrary&) = delete;
    NLibrary& operator=(const NLibrary&) = delete;
    bool IsLoaded() const { return m_module != nullptr; }

protected:
    template <typename F>
    F Bind(const char* name) const
    {
        return m_module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(m_module, name))) : nullptr;
    }

private:
    HMODULE m_module;
};

// The picture buttons of one window. The group runs a 50 ms timer (id 7787)
// on the window, which offers it every message first: mouse moves and every
// second tick re-check which button lies under the pointer; each tick calls
// the hovered button's hover tick; the group draws its owner-drawn buttons.
// The list of buttons is guarded by a mutex, never held while calling out.
#pragma once
#include <windows.h>

#include <mutex>
#include <vector>

class NButton;

class NButtonGroup {
public:
    static constexpr UINT kTimerId = 7787;
    static constexpr UINT kTimerMs = 50;

    ~NButtonGroup();
    bool Start(HWND owner);
    void Stop();
    HWND Owner() const { return m_owner; }

    void Add(NButton* button);
    void Remove(NButton* button);
    size_t Count() const;
    NButton* Hovered() const;

    // The owning window calls this first for every message.
    LRESULT MessageFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // Finds the button under the pointer and switches hover frames.
    void Recheck();
    void SetHovered(NButton* button);

private:
    NButton* ButtonAt(POINT screen) const;
    bool Contains(NButton* button) const;

    mutable std::mutex m_mutex;
    std::vector<NButton*> m_buttons;
    HWND m_owner = nullptr;
    NButton* m_hovered = nullptr;
    unsigned m_ticks = 0;
};

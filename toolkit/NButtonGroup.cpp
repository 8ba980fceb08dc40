#include "NButtonGroup.h"

#include <algorithm>

#include "NButton.h"

NButtonGroup::~NButtonGroup()
{
    Stop();
    std::vector<NButton*> buttons;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        buttons.swap(m_buttons);
        m_hovered = nullptr;
    }
    for (NButton* button : buttons) button->m_group = nullptr;
}

bool NButtonGroup::Start(HWND owner)
{
    Stop();
    if (!owner || !SetTimer(owner, kTimerId, kTimerMs, nullptr)) return false;
    m_owner = owner;
    m_ticks = 0;
    return true;
}

void NButtonGroup::Stop()
{
    if (m_owner && IsWindow(m_owner)) KillTimer(m_owner, kTimerId);
    m_owner = nullptr;
}

void NButtonGroup::Add(NButton* button)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (button && std::find(m_buttons.begin(), m_buttons.end(), button) == m_buttons.end())
        m_buttons.push_back(button);
}

void NButtonGroup::Remove(NButton* button)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_buttons.erase(std::remove(m_buttons.begin(), m_buttons.end(), button), m_buttons.end());
    if (m_hovered == button) m_hovered = nullptr;
}

size_t NButtonGroup::Count() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_buttons.size();
}

NButton* NButtonGroup::Hovered() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_hovered;
}

bool NButtonGroup::Contains(NButton* button) const
{
    return std::find(m_buttons.begin(), m_buttons.end(), button) != m_buttons.end();
}

NButton* NButtonGroup::ButtonAt(POINT screen) const
{
    for (NButton* button : m_buttons) {
        const HWND window = button->Handle();
        if (!window || !IsWindowVisible(window)) continue;
        RECT r = {};
        GetWindowRect(window, &r);
        if (PtInRect(&r, screen) && WindowFromPoint(screen) == window) return button;
    }
    return nullptr;
}

void NButtonGroup::SetHovered(NButton* button)
{
    NButton* previous = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (button && !Contains(button)) return;
        if (m_hovered == button) return;
        previous = m_hovered;
        m_hovered = button;
    }
    if (previous) previous->SetHovered(false);
    if (button) button->SetHovered(true);
}

void NButtonGroup::Recheck()
{
    POINT pointer = {};
    if (!GetCursorPos(&pointer)) return;
    NButton* under = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        under = ButtonAt(pointer);
        // A pressed button keeps its hover while the mouse is captured over it.
        if (!under && m_hovered && m_hovered->IsPressed()) return;
    }
    SetHovered(under);
}

LRESULT NButtonGroup::MessageFilter(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    switch (message) {
    case WM_TIMER:
        if (wParam != kTimerId) return 0;
        handled = true;
        if (++m_ticks % 2 == 0) Recheck();
        if (NButton* hovered = Hovered()) hovered->HoverTick();
        return 0;
    case WM_MOUSEMOVE:
        Recheck();
        return 0;
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!draw) return 0;
        NButton* target = nullptr;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            for (NButton* button : m_buttons)
                if (button->Handle() == draw->hwndItem) target = button;
        }
        if (!target) return 0;
        target->Draw(draw->hDC);
        handled = true;
        return TRUE;
    }
    case WM_DESTROY:
        if (window == m_owner) Stop();
        return 0;
    default:
        return 0;
    }
}

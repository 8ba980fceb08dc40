// Picture buttons: an owner-drawn button whose looks come from one bitmap cut
// into equal frames side by side (normal, then hover, pressed, disabled and
// checked as the style says), with an optional second row of frames for a
// second look. The frame's top-left pixel colour is transparent; the button is
// drawn over a copy of the owner's background at its place.
#pragma once
#include <windows.h>

#include <string>

#include "NGdi.h"
#include "NSubClassCtrl.h"

class NButtonGroup;

class NButton : public NSubClassCtrl {
public:
    enum Style : int {
        nbsHoverFrame = 1,
        nbsPressedFrame = 2,
        nbsDisabledFrame = 4,
        nbsCheckedFrame = 8,
        nbsSecondLook = 128,
        nbsDefault = 135  // normal, hover, pressed and disabled frames, two looks
    };

    NButton();
    ~NButton() override;

    // Which mouse button: 0 left, 1 right.
    virtual void Click(int mouseButton) {}
    // Called on the group's timer while the pointer is over the button.
    virtual void HoverTick() {}

    // Makes the button (a child of parent) the size of one frame, and enters it into the group.
    bool Create(NButtonGroup& group, HWND parent, int id, int x, int y, HBITMAP frames, int style = nbsDefault);
    bool CreateFromResource(NButtonGroup& group, HWND parent, int id, int x, int y, HINSTANCE instance,
                            LPCWSTR resource, int style = nbsDefault);
    void Destroy();

    void SetToolTip(const std::wstring& title, const std::wstring& description);
    // The owner's background (for example its back buffer); the button keeps
    // a copy of the part under itself.
    void SetBackground(HBITMAP ownerBackground);
    void SetChecked(bool checked);
    void SetSecondLook(bool second);
    void Enable(bool enabled);

    bool IsChecked() const { return m_checked; }
    bool IsHovered() const { return m_hovered; }
    bool IsPressed() const { return m_pressed; }
    int FrameCount() const;
    // The frame the button shows now (0 normal, then as the style orders them).
    int CurrentFrame() const;
    SIZE FrameSize() const { return SIZE{m_frameWidth, m_frameHeight}; }
    HWND ToolTipWindow() const { return m_toolTip; }

    void Draw(HDC dc);
    LRESULT MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    friend class NButtonGroup;
    void SetHovered(bool hovered);
    int FramePosition(int styleFlag) const;

    NButtonGroup* m_group = nullptr;
    NBitmap m_frames;
    NBitmap m_background;
    int m_style = nbsDefault;
    int m_frameWidth = 0;
    int m_frameHeight = 0;
    bool m_checked = false;
    bool m_secondLook = false;
    bool m_hovered = false;
    bool m_pressed = false;
    int m_pressedWith = 0;
    HWND m_toolTip = nullptr;
};

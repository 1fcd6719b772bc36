#include "AnimationControl.h"

#include "Resources.h"
#include "TemplateBytes.h"

// After our headers: see SystemHeaders.h.
#include "SystemHeaders.h"

namespace scx::win32 {

namespace {
constexpr UINT_PTR kTimer = 1;
}

AnimationControl::AnimationControl(Hwnd window) : m_window(window) {
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

AnimationControl::~AnimationControl() {
    if (IsWindow(m_window)) {
        KillTimer(m_window, kTimer);
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    }
}

void AnimationControl::RegisterWindowClass() {
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &AnimationControl::Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kAnimationClass;
        return RegisterClassW(&windowClass) != 0;
    }();
    (void)registered;
}

bool AnimationControl::LoadClip(int clipId) {
    m_frames.clear();
    for (std::string_view path : res::AnimationFrames(clipId)) {
        auto frame = std::make_unique<Picture>(path);
        if (!frame->IsValid()) {
            m_frames.clear();
            return false;
        }
        m_frames.push_back(std::move(frame));
    }
    return !m_frames.empty();
}

void AnimationControl::StartTimer(int milliseconds) {
    SetTimer(m_window, kTimer, static_cast<UINT>(milliseconds), nullptr);
}

void AnimationControl::StopTimer() {
    KillTimer(m_window, kTimer);
}

void AnimationControl::ShowFrame(int frame) {
    m_shown = frame;
    InvalidateRect(m_window, nullptr, TRUE);
}

void AnimationControl::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_window, &paint);
    if (m_shown >= 0 && m_shown < static_cast<int>(m_frames.size())) {
        const Picture& frame = *m_frames[static_cast<std::size_t>(m_shown)];
        RECT client;
        GetClientRect(m_window, &client);
        const bool centred = (GetWindowLongW(m_window, GWL_STYLE) & ACS_CENTER) != 0;
        frame.Draw(dc, centred ? (client.right - frame.Width()) / 2 : 0,
                   centred ? (client.bottom - frame.Height()) / 2 : 0);
    }
    EndPaint(m_window, &paint);
}

long long __stdcall AnimationControl::Procedure(Hwnd window, unsigned message,
                                                unsigned long long wParam, long long lParam) {
    auto* self = reinterpret_cast<AnimationControl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_TIMER && wParam == kTimer) {
        self->m_player.Advance();
        return 0;
    }
    if (self != nullptr && message == WM_PAINT) {
        self->Paint();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace scx::win32

#include "Accessibility.h"

#include "ResourceIds.h"
#include "Resources.h"

namespace scx {

using namespace win;

namespace {

// Dialog units a label may stand above its control, or overlap it, and still label it.
constexpr int kLabelGap = 12;
constexpr int kLabelSlack = 2;

bool IsNamedByLabel(ControlKind kind) {
    return kind == ControlKind::Edit || kind == ControlKind::ComboBox ||
           kind == ControlKind::ListView || kind == ControlKind::UpDown ||
           kind == ControlKind::Progress;
}

bool OverlapsVertically(const Rect16& a, const Rect16& b) {
    return a.y < b.y + b.cy && b.y < a.y + a.cy;
}

bool OverlapsHorizontally(const Rect16& a, const Rect16& b) {
    return a.x < b.x + b.cx && b.x < a.x + a.cx;
}

// A combo box's rectangle includes its dropped-down list, which may pass the frame's
// bottom: its top decides.
bool Encloses(const Rect16& outer, const Rect16& inner) {
    return outer.x <= inner.x && inner.x + inner.cx <= outer.x + outer.cx && outer.y <= inner.y &&
           inner.y < outer.y + outer.cy;
}

const ControlTemplate* EnclosingGroupOf(const DialogTemplate& t, const ControlTemplate& c) {
    const ControlTemplate* smallest = nullptr;
    for (const ControlTemplate& group : t.controls) {
        if (group.kind == ControlKind::GroupBox && !group.text.empty() &&
            Encloses(group.rect, c.rect) &&
            (smallest == nullptr ||
             group.rect.cx * group.rect.cy < smallest->rect.cx * smallest->rect.cy)) {
            smallest = &group;
        }
    }
    return smallest;
}

}  // namespace

std::string WithoutMnemonic(std::string_view source) {
    std::string result;
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (source[i] == '&' && i + 1 < source.size()) {
            ++i;  // "&&" keeps one "&"; "&x" keeps the x
        }
        result += source[i];
    }
    return result;
}

const ControlTemplate* LabelOf(const DialogTemplate& t, const ControlTemplate& c) {
    const ControlTemplate* beside = nullptr;
    const ControlTemplate* above = nullptr;
    for (const ControlTemplate& label : t.controls) {
        if (label.kind != ControlKind::Text || label.text.empty()) {
            continue;
        }
        const Rect16& l = label.rect;
        if (OverlapsVertically(l, c.rect) && l.x + l.cx <= c.rect.x + kLabelSlack &&
            (beside == nullptr || l.x + l.cx > beside->rect.x + beside->rect.cx)) {
            beside = &label;
        }
        const int bottom = l.y + l.cy;
        if (OverlapsHorizontally(l, c.rect) && bottom <= c.rect.y + kLabelSlack &&
            bottom >= c.rect.y - kLabelGap &&
            (above == nullptr || bottom > above->rect.y + above->rect.cy)) {
            above = &label;
        }
    }
    return beside != nullptr ? beside : above;
}

AccessibleNaming NamingOf(const DialogTemplate& t, const ControlTemplate& c) {
    if (c.kind == ControlKind::GroupBox) {
        return {WithoutMnemonic(c.text)};
    }
    if (!IsNamedByLabel(c.kind)) {
        return {};
    }
    if (const ControlTemplate* label = LabelOf(t, c)) {
        return {WithoutMnemonic(label->text), label};
    }
    if (c.kind == ControlKind::Edit && (c.style & ES_READONLY) != 0) {
        return {{}, nullptr, true};
    }
    if (c.kind == ControlKind::Progress) {
        return {res::LoadString(res::IDS_ACCESSIBLE_PROGRESS)};
    }
    if (const ControlTemplate* group = EnclosingGroupOf(t, c)) {
        return {WithoutMnemonic(group->text)};
    }
    return {};
}

}  // namespace scx

#include "adjust/CurveEditor.h"

#include "core/Numeric.h"

#include <algorithm>
#include <cstdlib>

TCurveEditor::TCurveEditor() {
    Open();
}

void TCurveEditor::Open() {
    Reset();
    channel_ = CurveRgb;
}

void TCurveEditor::Reset() {
    sets_.fill(DefaultCurvePoints());
    points_ = DefaultCurvePoints();
}

void TCurveEditor::SelectChannel(int channel) {
    if (channel < CurveRgb || channel > CurveBlue)
        return;
    sets_[channel_] = points_;
    points_ = sets_[channel];
    for (TCurvePoint& p : points_)
        p.Drag = false;
    channel_ = channel;
    Sort();
}

TCurvesParams TCurveEditor::Params() const {
    TCurvesParams params;
    params.Channel = channel_;
    params.Sets = sets_;
    params.Sets[channel_] = points_;
    return params;
}

void TCurveEditor::Sort() {
    // Stable, so a point added at the x of another stays after it.
    std::stable_sort(points_.begin(), points_.end(),
                     [](const TCurvePoint& a, const TCurvePoint& b) { return a.X < b.X; });
}

int TCurveEditor::FindNear(int x, int y) const {
    for (std::size_t i = 0; i < points_.size(); ++i)
        if (std::abs(points_[i].X - x) < NearDistance && std::abs(points_[i].Y - y) < NearDistance)
            return static_cast<int>(i);
    return -1;
}

bool TCurveEditor::IsEndPoint(int index) const {
    return index == 0 || index == static_cast<int>(points_.size()) - 1;
}

TCurveEditor::TAction TCurveEditor::MouseDown(TButton button, int x, int y) {
    x = std::clamp(x, 0, CurveEditorSize - 1);
    y = std::clamp(y, 0, CurveEditorSize - 1);
    if (button == RightButton) {
        const int hit = FindNear(x, y);
        if (hit < 0)
            return None;
        if (!IsEndPoint(hit))
            points_.erase(points_.begin() + hit);
        return RedrawAndPreview;
    }
    if (button != LeftButton)
        return None;
    if (std::any_of(points_.begin(), points_.end(), [](const TCurvePoint& p) { return p.Drag; }))
        return None;
    const int hit = FindNear(x, y);
    if (hit >= 0) {
        if (IsEndPoint(hit))
            return None;
        points_[hit] = {x, y, true};
        Sort();
        return Redraw; // the preview follows the first move
    }
    // A set holds at most 256 points.
    if (static_cast<int>(points_.size()) >= TCurveHelper::MaxPoints)
        return None;
    points_.push_back({x, y, true});
    Sort();
    return RedrawAndPreview;
}

TCurveEditor::TAction TCurveEditor::MouseMove(int x, int y) {
    x = std::clamp(x, 0, CurveEditorSize - 1);
    y = std::clamp(y, 0, CurveEditorSize - 1);
    bool moved = false;
    for (TCurvePoint& p : points_) {
        if (!p.Drag)
            continue;
        p.X = x;
        p.Y = y;
        moved = true;
    }
    if (!moved)
        return None;
    Sort();
    return RedrawAndPreview;
}

TCurveEditor::TAction TCurveEditor::MouseUp() {
    for (TCurvePoint& p : points_)
        p.Drag = false;
    return RedrawAndPreview;
}

std::array<int, CurveEditorSize> TCurveEditor::CurveRows() const {
    std::vector<TCurveXY> xy;
    for (const TCurvePoint& p : points_)
        xy.push_back({p.X, p.Y});
    // Full scale 255 leaves editor coordinates as they are.
    const TCurveHelper helper(xy, 255.0f);
    std::array<int, CurveEditorSize> rows{};
    for (int i = 0; i < CurveEditorSize; ++i) {
        const double v = RoundEven(helper.Interpolate(i));
        rows[i] = !(v > 0) ? 1 : v >= 255 ? 254 : static_cast<int>(v);
    }
    return rows;
}

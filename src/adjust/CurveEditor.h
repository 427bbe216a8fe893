#pragma once
// The point editing of the Curves dialog, free of any toolkit: the list of the channel shown,
// the four stored point sets, and what a mouse press, move or release does to them. The first
// and the last point of the list (sorted by x) are end points: they are neither moved nor
// deleted.

#include "adjust/Curves.h"

#include <array>

class TCurveEditor {
public:
    // What the dialog does after an event.
    enum TAction { None = 0, Redraw = 1, RedrawAndPreview = 2 };
    enum TButton { LeftButton, RightButton, OtherButton };
    static constexpr int NearDistance = 4; // a press within 3 pixels hits a point

    TCurveEditor();

    // Default points in all four sets and in the list, channel "RGB" (the dialog's opening).
    void Open();
    // Default points in all four sets and in the list; the channel stays.
    void Reset();
    // Stores the list into the set of the channel shown and loads the set of the new one.
    void SelectChannel(int channel);
    int Channel() const { return channel_; }

    TAction MouseDown(TButton button, int x, int y);
    TAction MouseMove(int x, int y);
    TAction MouseUp();

    // The list, sorted by x.
    const TCurvePoints& Points() const { return points_; }
    // The four sets with the list stored into the channel shown, and that channel.
    TCurvesParams Params() const;
    // The row drawn in each editor column: the spline through the list in editor coordinates,
    // rounded and kept within rows 1..254.
    std::array<int, CurveEditorSize> CurveRows() const;

private:
    int FindNear(int x, int y) const;
    bool IsEndPoint(int index) const;
    void Sort();

    TCurvePoints points_;
    std::array<TCurvePoints, 4> sets_;
    int channel_ = CurveRgb;
};

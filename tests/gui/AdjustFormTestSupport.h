#pragma once
// What the Qt tests of the adjustment dialogs share: finding a control by name, a colour test
// pattern, the displayed bytes and hooks that record undo, progress and display-mode resets.

#include "adjust/AdjustSession.h"
#include "core/DataContainerUndo.h"
#include "core/fimage.h"

#include <QObject>
#include <QStringList>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

template <class T> T* Find(QObject& form, const char* name) {
    T* child = form.findChild<T*>(name);
    if (!child)
        qFatal("no control %s", name);
    return child;
}

inline auto Pattern() {
    return [](int x, int y) {
        return std::array<std::uint8_t, 3>{std::uint8_t(x * 9), std::uint8_t(y * 5),
                                           std::uint8_t((x * y) % 256)};
    };
}

inline std::vector<std::uint8_t> DisplayBytes(const TFImage& image) {
    std::vector<std::uint8_t> bytes;
    for (int y = 0; y < image.Height; ++y)
        bytes.insert(bytes.end(), image.DisplayBitmap.Row(y),
                     image.DisplayBitmap.Row(y) + 3 * image.Width);
    return bytes;
}

struct THooks {
    TDataContainerUndo Undo;
    QStringList Progress;
    int ModeResets = 0;
    TAdjustHooks Make() {
        TAdjustHooks hooks;
        hooks.Undo = [this](TFImage& image) { Undo.UndoSave(image); };
        hooks.Progress = [this](const std::string& t) { Progress << QString::fromStdString(t); };
        hooks.DisplayModeReset = [this] { ++ModeResets; };
        return hooks;
    }
};

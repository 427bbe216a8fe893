#pragma once
// The main window's view: a scrolling box holding one paint surface the size of the zoomed
// image. Painting copies only the exposed part of the display bitmap, scaled nearest-neighbour.

#include <QScrollArea>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class TFImage;

class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);
    // Where the paint box finds the document and zoom at paint time.
    void SetSource(std::function<const TFImage*()> image, std::function<float()> zoom);

signals:
    void PointerMoved(int x, int y);
    void Pressed(int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    std::function<const TFImage*()> image_;
    std::function<float()> zoom_;
    std::vector<std::uint32_t> buffer_; // reused from paint to paint
};

class TScrollBox : public QScrollArea {
    Q_OBJECT
public:
    explicit TScrollBox(QWidget* parent = nullptr);

signals:
    // One wheel notch each; positive zooms in. pos is in paint-box coordinates.
    void WheelSteps(int steps, QPoint pos);
    void PointerOutsideSurface();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    int wheelRemainder_ = 0;
};

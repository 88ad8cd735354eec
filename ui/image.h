// Pictures: a pixel buffer, and the control that shows one.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

// Pixels are colour values (0x00BBGGRR), rows from the top. Copies share their pixels until one
// of them is drawn on: the same logo on three pages is held once.
class Bitmap {
  public:
    Bitmap() = default;
    Bitmap(int width, int height, Color fill = kBlack);
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    const std::vector<Color>& Pixels() const { return pixels_ ? *pixels_ : kNoPixels; }
    // Black outside the picture; writes outside it are ignored.
    Color Pixel(int x, int y) const;
    void SetPixel(int x, int y, Color c);
    // Rows top..bottom-1, columns left..right-1, clipped to the picture.
    void FillRect(int left, int top, int right, int bottom, Color c);
    // Copies a rectangle of this picture to (toX, toY); overlapping areas are handled.
    void CopyRect(int left, int top, int right, int bottom, int toX, int toY);
    bool operator==(const Bitmap& other) const;
    bool SharesPixelsWith(const Bitmap& other) const { return pixels_ == other.pixels_; }

  private:
    std::vector<Color>& Own();  // the pixels, copied first when another picture shares them

    static inline const std::vector<Color> kNoPixels;
    int width_ = 0, height_ = 0;
    std::shared_ptr<std::vector<Color>> pixels_;
};

class Image : public Control {
  public:
    explicit Image(std::string name = {}) : Control(Kind::Image, std::move(name)) {}
    const Bitmap& Picture() const { return picture_; }
    void SetPicture(Bitmap picture);
    Color Pixel(int x, int y) const { return picture_.Pixel(x, y); }
    void SetPixel(int x, int y, Color c);
    // For many pixel writes at once: edit the picture, then call PictureChanged().
    Bitmap& Canvas() { return picture_; }
    void PictureChanged() { Notify(Change::Picture); }
    // Stretched over the whole control, or drawn at its own size from the top left.
    bool Stretch() const { return stretch_; }
    void SetStretch(bool s);
    // Pixels of the picture's bottom left colour let what lies under the control show.
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool t);

  private:
    Bitmap picture_;
    bool stretch_ = false;
    bool transparent_ = false;
};

}  // namespace ui

#include "ui/image.h"

#include <algorithm>
#include <cstring>

namespace ui {

Bitmap::Bitmap(int width, int height, Color fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    if (width_ == 0 || height_ == 0) width_ = height_ = 0;
    pixels_ =
        std::make_shared<std::vector<Color>>(static_cast<std::size_t>(width_) * height_, fill);
}

bool Bitmap::operator==(const Bitmap& other) const {
    return width_ == other.width_ && height_ == other.height_ &&
           (pixels_ == other.pixels_ || Pixels() == other.Pixels());
}

std::vector<Color>& Bitmap::Own() {
    if (!pixels_) pixels_ = std::make_shared<std::vector<Color>>();
    if (pixels_.use_count() > 1) pixels_ = std::make_shared<std::vector<Color>>(*pixels_);
    return *pixels_;
}

Color Bitmap::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kBlack;
    return (*pixels_)[static_cast<std::size_t>(y) * width_ + x];
}

void Bitmap::SetPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    Own()[static_cast<std::size_t>(y) * width_ + x] = c;
}

void Bitmap::FillRect(int left, int top, int right, int bottom, Color c) {
    left = std::max(left, 0);
    top = std::max(top, 0);
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    if (right <= left || bottom <= top) return;
    std::vector<Color>& pixels = Own();
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) pixels[static_cast<std::size_t>(y) * width_ + x] = c;
    }
}

void Bitmap::CopyRect(int left, int top, int right, int bottom, int toX, int toY) {
    // Clip the source, then the destination, moving both together.
    if (left < 0) {
        toX -= left;
        left = 0;
    }
    if (top < 0) {
        toY -= top;
        top = 0;
    }
    right = std::min(right, width_);
    bottom = std::min(bottom, height_);
    if (toX < 0) {
        left -= toX;
        toX = 0;
    }
    if (toY < 0) {
        top -= toY;
        toY = 0;
    }
    right = std::min(right, left + (width_ - toX));
    bottom = std::min(bottom, top + (height_ - toY));
    if (right <= left || bottom <= top) return;
    // Rows in the order that never reads a row already overwritten; memmove within a row.
    const std::size_t n = static_cast<std::size_t>(right - left);
    std::vector<Color>& pixels = Own();
    auto row = [&](int y) {
        Color* from = &pixels[static_cast<std::size_t>(y) * width_ + left];
        Color* to = &pixels[static_cast<std::size_t>(toY + y - top) * width_ + toX];
        std::memmove(to, from, n * sizeof(Color));
    };
    if (toY <= top) {
        for (int y = top; y < bottom; ++y) row(y);
    } else {
        for (int y = bottom - 1; y >= top; --y) row(y);
    }
}

void Image::SetPicture(Bitmap picture) {
    if (picture == picture_) return;
    picture_ = std::move(picture);
    Notify(Change::Picture);
}

void Image::SetPixel(int x, int y, Color c) {
    if (x < 0 || y < 0 || x >= picture_.Width() || y >= picture_.Height()) return;
    if (picture_.Pixel(x, y) == c) return;
    picture_.SetPixel(x, y, c);
    Notify(Change::Picture);
}

void Image::SetStretch(bool s) {
    if (s == stretch_) return;
    stretch_ = s;
    Notify(Change::Picture);
}

void Image::SetTransparent(bool t) {
    if (t == transparent_) return;
    transparent_ = t;
    Notify(Change::Picture);
}

}  // namespace ui

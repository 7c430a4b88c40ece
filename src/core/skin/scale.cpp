#include "core/skin/scale.h"

#include <array>
#include <cstdlib>

namespace skin {

namespace {

constexpr std::array<int, 3> kSetPercents{100, 150, 200};

// The set a nine-patch picture comes from: the largest not above the scale.
int NinePatchSet(int dpi) {
  int chosen = kSetPercents.front();
  for (int percent : kSetPercents) {
    if (percent * Scale::kDesignDpi <= dpi * 100) chosen = percent;
  }
  return chosen;
}

}  // namespace

int Scale::Px(int design) const {
  const long long scaled = static_cast<long long>(design) * dpi_;
  const long long half = kDesignDpi / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kDesignDpi
                                      : -((-scaled + half) / kDesignDpi));
}

PixelRect Scale::Px(const PixelRect& design) const {
  return {Px(design.left), Px(design.top), Px(design.right), Px(design.bottom)};
}

int Scale::ToDesign(int device) const {
  const long long scaled = static_cast<long long>(device) * kDesignDpi;
  return static_cast<int>(scaled >= 0 ? (scaled + dpi_ - 1) / dpi_ : -(-scaled / dpi_));
}

int Scale::NinePatchPicture(int id) const {
  return PictureInSet(id, NinePatchSet(dpi_));
}

FixedScale Scale::NinePatchFixedScale() const {
  return {dpi_ * 100, NinePatchSet(dpi_) * kDesignDpi};
}

int Scale::PlainPicture(int id) const {
  for (int percent : kSetPercents) {
    if (percent * kDesignDpi >= dpi_ * 100) return PictureInSet(id, percent);
  }
  return PictureInSet(id, kSetPercents.back());
}

int PictureInSet(int id, int percent) {
  return id + (percent - 100) / 50 * 1000;
}

}  // namespace skin

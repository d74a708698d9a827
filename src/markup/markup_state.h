#pragma once
// What one markup drawing call carries from chunk to chunk and from line to
// line.
#include <optional>

#include "ui/graphics.h"

struct TMarkupState {
  // The canvas font that a rotated font replaced, until the rotation ends.
  std::optional<TFont> FontBeforeRotation;
};

#include "ui/density.h"

#include <algorithm>
#include <array>
#include <cstdlib>

int DensityScaled(int A96Pixels, int APixelsPerInch) {
  return MulDiv(A96Pixels, APixelsPerInch, 96);
}

TDensityVersion FindDensityVersion(HINSTANCE AInstance, const std::wstring &AName,
                                   const wchar_t *AType, int APixelsPerInch) {
  std::array<int, 4> densities{96, 120, 144, 192};
  // Nearest first; of two as near, the larger, which loses less when drawn.
  std::stable_sort(densities.begin(), densities.end(), [APixelsPerInch](int A, int B) {
    int a = std::abs(A - APixelsPerInch), b = std::abs(B - APixelsPerInch);
    return a != b ? a < b : A > B;
  });
  for (int dpi : densities) {
    if (dpi == 96) return {AName, 96};
    std::wstring name = AName + L"_" + std::to_wstring(dpi);
    if (FindResourceW(AInstance, name.c_str(), AType)) return {name, dpi};
  }
  return {AName, 96};
}

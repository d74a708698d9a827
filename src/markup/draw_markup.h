#pragma once
// The markup engine's single entry: lays a markup text out line by line in
// a rectangle of a canvas and draws it, only measures it, or finds the
// anchor (link) under a point.
#include <memory>
#include <string>
#include <vector>

#include "markup/picture_container.h"
#include "ui/graphics.h"
#include "ui/image_list.h"

// Where markup finds pictures named without an address ("SRC=\"logo\"").
class TPictureSource {
public:
  virtual ~TPictureSource() = default;
  // The picture of that name; null when there is none.
  virtual THTMLPicture *PictureByName(const std::wstring &AName) = 0;
};

// Where an anchor lies, as a hit test finds it: text from Left to Right
// inclusive, images exclusive; above Top and below Bottom.
struct TMarkupRegion {
  TRect Rect;
  bool Image = false;
  std::shared_ptr<const std::wstring> Address;
};

// What one DrawMarkup call is asked to do.
struct TMarkupArgs {
  TCanvas *Canvas = nullptr;
  std::wstring Text;
  TRect Bounds;
  TCustomImageList *Images = nullptr; // "IDX:" images
  int PointX = 0, PointY = 0;         // the point to hit-test, canvas coordinates
  int FocusIndex = -1;                // 0-based anchor with a focus rectangle
  int HoverNumber = -1;               // 1-based anchor under the mouse
  int ShadowOffset = 1;
  bool HitTestOnly = false; // the second pass of each line hit-tests instead of drawing
  bool MeasureOnly = false; // every line laid out, nothing drawn
  bool StretchImages = false;
  bool KeepColors = false; // markup leaves text and background colours alone
  bool BlinkVisible = true;
  bool HoverOnly = false; // anchor emphasis for the HoverNumber anchor only
  bool WordWrap = true;
  double ImageScale = 1.0;
  TColor AnchorColor = clBlue;
  TColor HoverBackColor = clNone;
  TColor HoverTextColor = clNone;
  TColor ShadowColor = clGray;
  TPictureCache *PictureCache = nullptr; // pictures by address, kept by the caller
  TPictureSource *PictureSource = nullptr;
  int LineSpacing = 0;
  int ReadingOrder = 0; // 0 left to right, 1 right to left, others RTL unmirrored
  // False: image tags and backgrounds show nothing and take no room; no
  // source of any kind, system icons included, is looked up.
  bool Pictures = true;
  // When given, a hit test also lists every anchor's regions, so that later
  // points can be tested without laying the text out again.
  std::vector<TMarkupRegion> *Regions = nullptr;
};

// The four ways a caller runs the engine.
enum TMarkupUse {
  muPaint,   // draws; colours as the markup says
  muHitTest, // finds the anchor under the point
  muLayout,  // lays out for the size, lines below the rectangle dropped
  muMeasure, // lays out every line for the size
};
// Sets the switches of a use; the point counts only where nothing is drawn.
void SetMarkupUse(TMarkupArgs &AArgs, TMarkupUse AUse, int APointX = 0, int APointY = 0);

// What it found. HitAddress and HitRect are written only for a hit, so a
// caller that reuses a result clears them first.
struct TMarkupResult {
  std::wstring HitAddress;
  std::wstring PlainText;
  std::wstring FocusAddress;
  int LaidOutWidth = 0;
  int LaidOutHeight = 0;
  int AnchorCount = 0;
  int HitNumber = -1;
  TRect HitRect;
};

// True when an anchor lies under the point. The canvas's font and
// background are those of entry on return; its pen may have changed.
// Malformed markup degrades and is never reported.
bool DrawMarkup(const TMarkupArgs &AArgs, TMarkupResult &AResult);

// The address of the last region under the point, as the hit test that
// listed the regions would find it; false when none lies there.
bool MarkupRegionAt(const std::vector<TMarkupRegion> &ARegions, int X, int Y,
                    std::wstring &AAddress);


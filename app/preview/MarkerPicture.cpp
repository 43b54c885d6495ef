// The end markers of the marker lists, drawn by the construction itself: a list item shows the
// shape the preview draws for it (the lists add the host's code, for the items drawn alike).
#include "Dimension.h"
#include "Preview.h"
#include "ControlTable.h"
#include "DimensionParts.h"

namespace {

// The stretch of dimension line drawn beside the marker, paper mm: long enough to tell an arrow's
// direction and to show a marker's size against it.
constexpr double kLineStub = 6.0;

}  // namespace

TPreviewPicture MarkerPicture(int item) {
  TDimensionInput in = DefaultInputs();
  in.EndMarker = item;
  in.Scale = 1.0;
  JwwState scratch;
  // The marker at the left end, pointing out to the left, with the line running right of it.
  AddEndMarkersAt(in, TPointD{kLineStub, 0.0}, 0.0, TPointD{0.0, 0.0}, 180.0, 1e9, true, scratch, false);
  JwwAddLine(scratch, 0.0, 0.0, kLineStub, 0.0);
  TPreviewPicture picture = PictureFromOutput(scratch, in.Scale);
  JwwRelease(scratch);
  return picture;
}

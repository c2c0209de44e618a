#pragma once

#include <QByteArray>
#include <QImage>

namespace orvane {

// A picture of the next-game dialog as a JPEG file holds it, and the image read back from it.
struct TJpegPicture {
  QByteArray Jpeg;
  QImage Image;
};

constexpr int ResultPictureSize = 98;

// The two result pictures, 98 by 98, drawn here once and kept as JPEG images: a robot before
// a golden sunburst for a won game, a sentry in a red fog for a lost one.
const TJpegPicture& WonGamePicture();
const TJpegPicture& LostGamePicture();

}  // namespace orvane

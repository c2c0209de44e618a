#pragma once

#include <QOpenGLFunctions_3_3_Core>

namespace orvane {

// The framebuffers a frame is drawn into: a multisampled one when anti-aliasing asks for
// samples, and always a single-sampled one that holds the finished frame's colour and depth,
// from which pictures and depths are read (depths cannot be read from a multisampled buffer).
class TRenderTargets {
 public:
  // Makes the buffers for a size and sample count (0: single-sampled), re-making them only
  // when either changed. The sample count is limited to what the driver offers.
  void Prepare(QOpenGLFunctions_3_3_Core& gl, int width, int height, int samples);
  // The framebuffer to draw the frame into.
  GLuint DrawFramebuffer() const { return Multisampled ? Multisampled : Resolved; }
  // Copies the drawn colour and depth into the single-sampled framebuffer.
  void Resolve(QOpenGLFunctions_3_3_Core& gl);
  GLuint ResolvedFramebuffer() const { return Resolved; }
  void Release(QOpenGLFunctions_3_3_Core& gl);

  bool Ready() const { return Resolved != 0; }
  int Width() const { return BufferWidth; }
  int Height() const { return BufferHeight; }
  int Samples() const { return SampleCount; }

 private:
  GLuint MakeFramebuffer(QOpenGLFunctions_3_3_Core& gl, int samples, GLuint renderbuffers[2]);

  GLuint Multisampled = 0;
  GLuint MultisampledBuffers[2] = {0, 0};
  GLuint Resolved = 0;
  GLuint ResolvedBuffers[2] = {0, 0};
  int BufferWidth = 0;
  int BufferHeight = 0;
  int RequestedSamples = -1;
  int SampleCount = 0;
};

}  // namespace orvane

#include "scene/qt/RenderTargets.h"

#include <algorithm>

#include <QtGlobal>

namespace orvane {

GLuint TRenderTargets::MakeFramebuffer(QOpenGLFunctions_3_3_Core& gl, int samples,
                                       GLuint renderbuffers[2]) {
  // The same formats in both buffers, as copying out of a multisampled buffer requires.
  const GLenum formats[2] = {GL_RGBA8, GL_DEPTH_COMPONENT24};
  const GLenum attachments[2] = {GL_COLOR_ATTACHMENT0, GL_DEPTH_ATTACHMENT};
  GLuint framebuffer = 0;
  gl.glGenFramebuffers(1, &framebuffer);
  gl.glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  gl.glGenRenderbuffers(2, renderbuffers);
  for (int i = 0; i < 2; ++i) {
    gl.glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[i]);
    gl.glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, formats[i], BufferWidth,
                                        BufferHeight);
    gl.glFramebufferRenderbuffer(GL_FRAMEBUFFER, attachments[i], GL_RENDERBUFFER, renderbuffers[i]);
  }
  if (gl.glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
    qWarning("Scene viewer: framebuffer of %d samples is incomplete", samples);
  return framebuffer;
}

void TRenderTargets::Prepare(QOpenGLFunctions_3_3_Core& gl, int width, int height, int samples) {
  width = std::max(width, 1);
  height = std::max(height, 1);
  if (Ready() && width == BufferWidth && height == BufferHeight && samples == RequestedSamples)
    return;
  Release(gl);
  BufferWidth = width;
  BufferHeight = height;
  RequestedSamples = samples;
  GLint most = 0;
  gl.glGetIntegerv(GL_MAX_SAMPLES, &most);
  SampleCount = std::clamp(samples, 0, static_cast<int>(most));
  if (SampleCount > 0) Multisampled = MakeFramebuffer(gl, SampleCount, MultisampledBuffers);
  Resolved = MakeFramebuffer(gl, 0, ResolvedBuffers);
}

void TRenderTargets::Resolve(QOpenGLFunctions_3_3_Core& gl) {
  if (!Multisampled) return;
  gl.glBindFramebuffer(GL_READ_FRAMEBUFFER, Multisampled);
  gl.glBindFramebuffer(GL_DRAW_FRAMEBUFFER, Resolved);
  gl.glBlitFramebuffer(0, 0, BufferWidth, BufferHeight, 0, 0, BufferWidth, BufferHeight,
                       GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT, GL_NEAREST);
}

void TRenderTargets::Release(QOpenGLFunctions_3_3_Core& gl) {
  for (GLuint* framebuffer : {&Multisampled, &Resolved}) {
    if (*framebuffer) gl.glDeleteFramebuffers(1, framebuffer);
    *framebuffer = 0;
  }
  for (GLuint* buffers : {MultisampledBuffers, ResolvedBuffers}) {
    if (buffers[0]) gl.glDeleteRenderbuffers(2, buffers);
    buffers[0] = buffers[1] = 0;
  }
  RequestedSamples = -1;
  SampleCount = 0;
}

}  // namespace orvane

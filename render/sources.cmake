# Sources of this folder that go into the effect.
set(VELUMIXER_RENDER_SOURCES
  render/RenderParams.cpp
)

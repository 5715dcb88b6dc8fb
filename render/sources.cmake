# Sources of this folder that go into the effect.
set(VELUMIXER_RENDER_SOURCES
  render/Blur.cpp
  render/BlurKernels.cpp
  render/BlurPass.cpp
  render/BlurPlan.cpp
  render/BoxColumnSweep.cpp
  render/ColumnRunEights.cpp
  render/EveryPixelCounts.cpp
  render/GaussKernel.cpp
  render/KeyColorMatch.cpp
  render/LineBlurrer.cpp
  render/MaskedCopy.cpp
  render/OneValueArea.cpp
  render/PixelTask.cpp
  render/ProgressMeter.cpp
  render/RenderParams.cpp
  render/RowKernelSet.cpp
  render/RowStreamBlur.cpp
  render/SelectionMask.cpp
  render/SparseBoxPass.cpp
)
# The edge smoothing pass and its pixel arithmetic.
list(APPEND VELUMIXER_RENDER_SOURCES
  render/BlendRamp.cpp
  render/EdgeFlagMap.cpp
  render/EdgeFlagRow8.cpp
  render/EdgeRunMeasures.cpp
  render/EdgeSmoothSettings.cpp
  render/EdgeSmoothing.cpp
)
# The render driver and its own pixel tasks.
list(APPEND VELUMIXER_RENDER_SOURCES
  render/DriverTasks.cpp
  render/RenderDriver.cpp
)

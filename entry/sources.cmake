# Sources of this folder that go into the effect.
set(VELUMIXER_ENTRY_SOURCES
  entry/BaseFilter.cpp
  entry/CommandGuard.cpp
  entry/CustomFilter.cpp
  entry/GlobalSetup.cpp
  entry/Localization.cpp
  entry/ModuleHandle.cpp
  entry/PreRenderData.cpp
  entry/RenderCommands.cpp
  entry/SequenceCommands.cpp
  entry/SequenceData.cpp
)

# Sources of this folder that go into the effect.
set(VELUMIXER_DIALOG_SOURCES
  dialog/OptionsDialog.cpp
)

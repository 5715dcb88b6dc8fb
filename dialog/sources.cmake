# Sources of this folder that go into the effect. Only Windows builds have the dialog.
set(VELUMIXER_DIALOG_SOURCES
  dialog/DialogTexts.cpp
)
if(WIN32)
  list(APPEND VELUMIXER_DIALOG_SOURCES
    dialog/AEFxOptionDialog.cpp
    dialog/DialogBase.cpp
    dialog/DisabledHostWindows.cpp
    dialog/OptionsDialogWin32.cpp
  )
else()
  list(APPEND VELUMIXER_DIALOG_SOURCES dialog/OptionsDialogNone.cpp)
endif()

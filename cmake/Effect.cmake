# The effect: its code as a static library (so unit tests can link parts of it), and the
# loadable module the host opens: Velumixer.aex on Windows, Velumixer.so elsewhere.

# Each effect folder lists its own sources in sources.cmake.
set(VELUMIXER_EFFECT_SOURCES)
foreach(folder AEUtil dialog entry params render)
  include(${PROJECT_SOURCE_DIR}/${folder}/sources.cmake)
  string(TOUPPER ${folder} upper)
  list(APPEND VELUMIXER_EFFECT_SOURCES ${VELUMIXER_${upper}_SOURCES})
endforeach()
list(TRANSFORM VELUMIXER_EFFECT_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)

add_library(velumixer_effect_core STATIC ${VELUMIXER_EFFECT_SOURCES})
target_include_directories(velumixer_effect_core PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(velumixer_effect_core PUBLIC velumixer_hostapi velumixer_platform velumixer_version)
# The pixel loops are written for the vectoriser, which -O2 barely runs; no fast-math, so
# every result stays what plain IEEE arithmetic gives.
target_compile_options(velumixer_effect_core PRIVATE $<$<NOT:$<CONFIG:Debug>>:-O3>)
# Every x86-64 processor of the last fifteen years has SSE4.2 (x86-64-v2); the row stream
# picks AVX2 loops at run time where the processor has them.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
  target_compile_options(velumixer_effect_core PRIVATE -march=x86-64-v2)
endif()
if(WIN32)
  # The Options dialog: windows, the link control, drawing, opening the manual.
  target_link_libraries(velumixer_effect_core PUBLIC user32 gdi32 comctl32 shell32)
endif()
# Only EntryPointFunc leaves the native module.
set_target_properties(velumixer_effect_core PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)

# The PiPL bytes are generated from the same property values that global setup reports;
# the dialog's banner picture is drawn by the same build tool.
add_executable(velumixer_resource_gen resources/ResourceGenerator.cpp resources/PiplBuilder.cpp
  resources/BannerPicture.cpp)
target_include_directories(velumixer_resource_gen PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(velumixer_resource_gen PRIVATE velumixer_version)
set(VELUMIXER_PIPL_FILE ${CMAKE_BINARY_DIR}/resources/pipl.bin)
set(VELUMIXER_BANNER_FILE ${CMAKE_BINARY_DIR}/resources/banner.bmp)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/resources)
add_custom_command(
  OUTPUT ${VELUMIXER_PIPL_FILE} ${VELUMIXER_BANNER_FILE}
  COMMAND velumixer_resource_gen .
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/resources
  DEPENDS velumixer_resource_gen
  COMMENT "Generating the PiPL and the banner picture")
add_custom_target(velumixer_generated_resources DEPENDS ${VELUMIXER_PIPL_FILE} ${VELUMIXER_BANNER_FILE})

set(module_sources entry/EntryPoint.cpp entry/ModuleLifetime.cpp)
if(WIN32)
  velumixer_plugin_property(VELUMIXER_COPYRIGHT_NOTICE kCopyrightNotice)
  configure_file(resources/Velumixer.rc.in ${CMAKE_BINARY_DIR}/resources/Velumixer.rc @ONLY)
  list(APPEND module_sources ${CMAKE_BINARY_DIR}/resources/Velumixer.rc)
  set_source_files_properties(${CMAKE_BINARY_DIR}/resources/Velumixer.rc PROPERTIES
    OBJECT_DEPENDS "${VELUMIXER_PIPL_FILE};${VELUMIXER_BANNER_FILE};${PROJECT_SOURCE_DIR}/resources/ResourceIds.h")
endif()

add_library(Velumixer MODULE ${module_sources})
target_link_libraries(Velumixer PRIVATE velumixer_effect_core)
add_dependencies(Velumixer velumixer_generated_resources)
set_target_properties(Velumixer PROPERTIES PREFIX "" CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
if(WIN32)
  set_target_properties(Velumixer PROPERTIES SUFFIX ".aex")
else()
  target_link_options(Velumixer PRIVATE -Wl,--no-undefined)
  target_link_libraries(Velumixer PRIVATE ${CMAKE_DL_LIBS})
endif()

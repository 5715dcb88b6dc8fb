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
target_link_libraries(velumixer_effect_core PUBLIC velumixer_hostapi velumixer_platform)
# Only EntryPointFunc leaves the native module.
set_target_properties(velumixer_effect_core PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)

# The PiPL bytes are generated from the same property values that global setup reports.
add_executable(velumixer_pipl_gen resources/PiplGenerator.cpp resources/PiplBuilder.cpp)
target_include_directories(velumixer_pipl_gen PRIVATE ${PROJECT_SOURCE_DIR})
set(VELUMIXER_PIPL_FILE ${CMAKE_BINARY_DIR}/resources/pipl.bin)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/resources)
add_custom_command(
  OUTPUT ${VELUMIXER_PIPL_FILE}
  COMMAND velumixer_pipl_gen pipl.bin
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/resources
  DEPENDS velumixer_pipl_gen
  COMMENT "Generating the PiPL resource")
add_custom_target(velumixer_pipl DEPENDS ${VELUMIXER_PIPL_FILE})

set(module_sources entry/EntryPoint.cpp entry/ModuleLifetime.cpp)
if(WIN32)
  configure_file(resources/Velumixer.rc.in ${CMAKE_BINARY_DIR}/resources/Velumixer.rc @ONLY)
  list(APPEND module_sources ${CMAKE_BINARY_DIR}/resources/Velumixer.rc)
  set_source_files_properties(${CMAKE_BINARY_DIR}/resources/Velumixer.rc PROPERTIES OBJECT_DEPENDS ${VELUMIXER_PIPL_FILE})
endif()

add_library(Velumixer MODULE ${module_sources})
target_link_libraries(Velumixer PRIVATE velumixer_effect_core)
add_dependencies(Velumixer velumixer_pipl)
set_target_properties(Velumixer PROPERTIES PREFIX "" CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
if(WIN32)
  set_target_properties(Velumixer PROPERTIES SUFFIX ".aex")
else()
  target_link_options(Velumixer PRIVATE -Wl,--no-undefined)
  target_link_libraries(Velumixer PRIVATE ${CMAKE_DL_LIBS})
endif()

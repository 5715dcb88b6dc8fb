# The one definition of the version: the project version (CMakeLists.txt) and the build
# number below feed the PiPL, global setup, the about text, the Windows version block,
# velumixer-render --version and the package names.
set(VELUMIXER_BUILD_NUMBER 8 CACHE STRING "Build number of this release (0 to 511, the host's packing)")
# scripts/package.sh sets "-dirty" for a tree with uncommitted changes.
set(VELUMIXER_VERSION_SUFFIX "" CACHE STRING "Marker appended to the version text, such as -dirty")
if(NOT VELUMIXER_BUILD_NUMBER MATCHES "^[0-9]+$" OR VELUMIXER_BUILD_NUMBER GREATER 511)
  message(FATAL_ERROR "VELUMIXER_BUILD_NUMBER must be a whole number from 0 to 511, not \"${VELUMIXER_BUILD_NUMBER}\"")
endif()
if(NOT VELUMIXER_VERSION_SUFFIX MATCHES "^(-[a-z0-9]+)?$")
  message(FATAL_ERROR "VELUMIXER_VERSION_SUFFIX must be empty or like -dirty, not \"${VELUMIXER_VERSION_SUFFIX}\"")
endif()
set(VELUMIXER_VERSION ${PROJECT_VERSION}${VELUMIXER_VERSION_SUFFIX})

set(VELUMIXER_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${PROJECT_SOURCE_DIR}/resources/VersionNumbers.h.in
               ${VELUMIXER_GENERATED_DIR}/resources/VersionNumbers.h @ONLY)
add_library(velumixer_version INTERFACE)
target_include_directories(velumixer_version INTERFACE ${VELUMIXER_GENERATED_DIR})

# Texts the packages repeat from resources/PluginProperties.h, read from there so that they
# cannot drift: velumixer_plugin_property(<variable> <constant name>).
function(velumixer_plugin_property variable constant)
  file(STRINGS ${PROJECT_SOURCE_DIR}/resources/PluginProperties.h line REGEX "${constant}\\[\\] = \"")
  if(NOT line MATCHES "${constant}\\[\\] = \"([^\"]*)\"")
    message(FATAL_ERROR "resources/PluginProperties.h has no text constant ${constant}")
  endif()
  set(${variable} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

# What the packages hold beside the built files.
# Windows: INSTALL.txt and the copyright notice, which scripts/package.sh zips with Velumixer.aex.
# Elsewhere: the Debian package of the renderer (cpack -G DEB): velumixer-render in /usr/bin, the
# effect module where the renderer looks for it, a man page made from --help, and the copyright
# and changelog files every Debian package carries.
velumixer_plugin_property(VELUMIXER_COPYRIGHT_NOTICE kCopyrightNotice)
velumixer_plugin_property(VELUMIXER_CATEGORY kCategory)
velumixer_plugin_property(VELUMIXER_DISPLAY_NAME kDisplayName)
set(VELUMIXER_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package)

if(WIN32)
  configure_file(packaging/INSTALL.txt.in ${VELUMIXER_PACKAGE_FILES}/INSTALL.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(packaging/COPYRIGHT.txt.in ${VELUMIXER_PACKAGE_FILES}/COPYRIGHT.txt @ONLY NEWLINE_STYLE CRLF)
  return()
endif()
if(NOT TARGET velumixer-render)
  return()
endif()

install(TARGETS velumixer-render RUNTIME DESTINATION ${VELUMIXER_PROGRAM_INSTALL_DIR})
# A module the renderer opens, not a program: no executable bit.
install(TARGETS Velumixer LIBRARY DESTINATION ${VELUMIXER_MODULE_INSTALL_DIR}
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

find_program(VELUMIXER_HELP2MAN help2man)
if(VELUMIXER_HELP2MAN)
  set(man_page ${VELUMIXER_PACKAGE_FILES}/velumixer-render.1)
  add_custom_command(
    OUTPUT ${man_page}.gz
    COMMAND ${VELUMIXER_HELP2MAN} --no-info --section 1 --name "render images through the Velumixer video effect"
            --output ${man_page} $<TARGET_FILE:velumixer-render>
    COMMAND gzip -9nf ${man_page}
    DEPENDS velumixer-render
    COMMENT "Writing the man page of velumixer-render"
    VERBATIM)
  add_custom_target(velumixer_man_page ALL DEPENDS ${man_page}.gz)
  install(FILES ${man_page}.gz DESTINATION share/man/man1)
else()
  message(STATUS "help2man not found: the Debian package gets no man page (scripts/setup.sh installs it)")
endif()

# A version with a dash ("1.1.1-dirty") has a Debian revision, and then the changelog's name
# says so.
if(VELUMIXER_VERSION MATCHES "-")
  set(changelog_name changelog.Debian)
else()
  set(changelog_name changelog)
endif()
string(TIMESTAMP VELUMIXER_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)  # honours SOURCE_DATE_EPOCH
set(VELUMIXER_MAINTAINER "TRELM <velumixer@trelm.example>")
configure_file(packaging/changelog.in ${VELUMIXER_PACKAGE_FILES}/changelog.txt @ONLY)
configure_file(packaging/copyright.in ${VELUMIXER_PACKAGE_FILES}/copyright @ONLY)
add_custom_command(
  OUTPUT ${VELUMIXER_PACKAGE_FILES}/${changelog_name}.gz
  COMMAND ${CMAKE_COMMAND} -E copy changelog.txt ${changelog_name}
  COMMAND gzip -9nf ${changelog_name}
  WORKING_DIRECTORY ${VELUMIXER_PACKAGE_FILES}
  DEPENDS ${VELUMIXER_PACKAGE_FILES}/changelog.txt
  VERBATIM)
add_custom_target(velumixer_package_changelog ALL DEPENDS ${VELUMIXER_PACKAGE_FILES}/${changelog_name}.gz)
install(FILES ${VELUMIXER_PACKAGE_FILES}/copyright ${VELUMIXER_PACKAGE_FILES}/${changelog_name}.gz
        DESTINATION share/doc/velumixer)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velumixer)
set(CPACK_PACKAGE_VERSION ${VELUMIXER_VERSION})
set(CPACK_PACKAGE_VENDOR TRELM)
set(CPACK_PACKAGE_CONTACT ${VELUMIXER_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "command-line renderer for the Velumixer video effect")
set(CPACK_PACKAGE_DESCRIPTION "velumixer-render renders images and image sequences through the Velumixer
effect (per-channel Gaussian or box blur, brightness, edge smoothing, key
colours) in an embedded host, reading and writing PNG, TIFF, OpenEXR and the
other formats OpenImageIO knows. The effect module comes with it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # velumixer_<version>_<architecture>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

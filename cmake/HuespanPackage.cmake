# Installing the generation core as a library for other programs, and the Debian packages:
#   huespan         the programs, their desktop entry, icons, manual pages, completions, metadata
#   libhuespan-dev  the core as a static library, its headers and the CMake package Huespan
# `cpack -G DEB` in a Release build configured with CMAKE_INSTALL_PREFIX=/usr makes both
# (scripts/package.sh does it all). Each description's first line is its package's synopsis.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(HUESPAN_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Huespan)
set_target_properties(huespan_generation PROPERTIES EXPORT_NAME generation)
set_target_properties(huespan_compiler_settings PROPERTIES EXPORT_NAME compiler_settings)
# The public headers include one another by bare name, so they share one folder, and a program
# includes them as <huespan/Name.h>.
install(FILES ${HUESPAN_PUBLIC_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/huespan COMPONENT Development)
# The core links the shared compiler settings; a program linking the installed core needs their
# link options (the sanitizers, in such a build) and nothing else of them.
install(TARGETS huespan_generation huespan_compiler_settings EXPORT HuespanTargets
    ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT Development)
install(EXPORT HuespanTargets NAMESPACE Huespan:: DESTINATION ${HUESPAN_CMAKE_DIR} COMPONENT Development)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/HuespanConfig.cmake.in
    ${CMAKE_CURRENT_BINARY_DIR}/HuespanConfig.cmake INSTALL_DESTINATION ${HUESPAN_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/HuespanConfigVersion.cmake
    COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/HuespanConfig.cmake
    ${CMAKE_CURRENT_BINARY_DIR}/HuespanConfigVersion.cmake
    DESTINATION ${HUESPAN_CMAKE_DIR} COMPONENT Development)

# A stripped install (the packages' is one) leaves no compiler notes in the binaries and no debug
# information in the static library, as Debian's dh_strip does.
find_program(HUESPAN_STRIP NAMES strip)
if(HUESPAN_STRIP)
    set(strip_notes "--remove-section=.comment --remove-section=.note")
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            foreach(program huespan huespan-cli)
                execute_process(COMMAND \"${HUESPAN_STRIP}\" ${strip_notes}
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\"
                    COMMAND_ERROR_IS_FATAL ANY)
            endforeach()
        endif()" COMPONENT Runtime)
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            execute_process(COMMAND \"${HUESPAN_STRIP}\" --strip-debug ${strip_notes} --enable-deterministic-archives
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:huespan_generation>\"
                COMMAND_ERROR_IS_FATAL ANY)
        endif()" COMPONENT Development)
endif()

set(CPACK_PACKAGE_NAME huespan)
set(CPACK_PACKAGE_VENDOR "Huespan developers")
set(CPACK_PACKAGE_CONTACT "Huespan developers <huespan@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://huespan.example.org/")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_COMPONENTS_ALL Runtime Development)

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME huespan)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SHLIBDEPS ON)
# A Japanese font for the windows' captions, xdg-open for the preview page, Qt's Japanese texts
# for its standard buttons and its Wayland plugin for Wayland sessions.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_RECOMMENDS
    "fonts-ipafont-gothic | fonts-noto-cjk | fonts-japanese-gothic, xdg-utils, qt6-translations-l10n, qt6-wayland")
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION
"gradient-coloured HTML text generator
Huespan turns a text into HTML in which every character wears its own
colour, the colours running as a gradient across the text: from a first
colour to a second one, or from the edges to the middle and back. Bold,
italic, underline, strike-through, a font size or a heading, and tags of
your own can be added.
.
The markup appears in a window, from where it goes to the clipboard or into
a preview in the browser on a background of your choice. The windows speak
Japanese. The command huespan-cli makes the same markup without a display,
for scripts and build steps.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libhuespan-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "qt6-base-dev (>= 6.4), libutf8proc-dev, pkg-config")
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION
"gradient-coloured HTML text generator - development files
Huespan turns a text into HTML in which every character wears its own
colour, the colours running as a gradient across the text.
.
This package holds the window-free generation core as a static library
with its headers and the CMake package Huespan, so that another Qt program
can produce the same markup: find_package(Huespan), then link
Huespan::generation.")

include(CPack)

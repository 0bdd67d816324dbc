# Installation (cmake --install) and the Debian package (cpack -G DEB, made
# by scripts/package.sh): both programs in bin/; what they read in
# share/ohmora/ (the program directory of an installation, which they find
# as ../share/ohmora from their executable); the desktop's menu entry, its
# icon, the kinds of file it opens and the AppStream metadata; the manual
# pages; the Debian copyright and changelog with its lintian overrides. A
# build without the window or the batch runner installs nothing.
if(NOT TARGET ohmora OR NOT TARGET ohmora-cli OR NOT TARGET program_data
   OR NOT TARGET ohmora-icon)
  return()
endif()

include(GNUInstallDirs)

# The project has no address of its own: its name alone is the maintainer
# (packaging/debian/lintian-overrides says why), unless whoever makes the
# package names themself, as scripts/package.sh does from Debian's
# DEBFULLNAME and DEBEMAIL.
set(OHMORA_PACKAGE_MAINTAINER "Ohmora" CACHE STRING
    "Maintainer of the Debian package: \"Name <address>\", or the project's name")
set(OHMORA_PACKAGE_RELEASE 1)
set(OHMORA_LICENSE GPL-3.0-or-later) # as packaging/debian/copyright states it
set(OHMORA_DEVELOPER "Ohmora maintainers")
set(OHMORA_SCREENSHOT_URL "" CACHE STRING
    "Web address where the build's ohmora-capture.png is published, for the AppStream \
metadata (empty: the metadata names no screenshot; the picture is installed all the same)")

set(packaging_sources ${CMAKE_SOURCE_DIR}/packaging)
set(packaging_build ${CMAKE_BINARY_DIR}/packaging)
set(data_dir ${CMAKE_INSTALL_DATADIR}/ohmora)
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/ohmora) # named after the package
file(MAKE_DIRECTORY ${packaging_build})

# The Debian changelog names the version being packaged.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${packaging_sources}/debian/changelog)
file(STRINGS ${packaging_sources}/debian/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^ohmora \\(${PROJECT_VERSION}-${OHMORA_PACKAGE_RELEASE}\\) ")
  message(FATAL_ERROR "packaging/debian/changelog does not start with version "
                      "${PROJECT_VERSION}-${OHMORA_PACKAGE_RELEASE}: ${changelog_head}")
endif()
# Its first entry's date is the release's date (the AppStream metadata's):
# the trailer line " -- Name <address>  Tue, 08 Dec 2026 12:00:00 +0000".
file(STRINGS ${packaging_sources}/debian/changelog changelog_trailers REGEX "^ -- ")
list(GET changelog_trailers 0 changelog_trailer)
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
if(NOT changelog_trailer MATCHES "  [A-Z][a-z][a-z], ([0-9]?[0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "packaging/debian/changelog: no date in \"${changelog_trailer}\"")
endif()
set(release_day ${CMAKE_MATCH_1})
set(release_year ${CMAKE_MATCH_3})
list(FIND months ${CMAKE_MATCH_2} release_month)
if(release_month LESS 0)
  message(FATAL_ERROR "packaging/debian/changelog: no month in \"${changelog_trailer}\"")
endif()
math(EXPR release_month "${release_month} + 1")
if(release_month LESS 10)
  set(release_month 0${release_month})
endif()
if(release_day MATCHES "^[1-9]$")
  set(release_day 0${release_day})
endif()
set(OHMORA_RELEASE_DATE ${release_year}-${release_month}-${release_day})

# The icon theme's files, drawn by ohmora-icon.
set(icon_theme ${packaging_build}/icons/hicolor)
set(icon_files ${icon_theme}/scalable/apps/ohmora.svg)
foreach(size 16 22 24 32 48 64 128 256)
  list(APPEND icon_files ${icon_theme}/${size}x${size}/apps/ohmora.png)
endforeach()
file(GLOB icon_art CONFIGURE_DEPENDS ${packaging_sources}/icons/*.txt)
add_custom_command(
  OUTPUT ${icon_files}
  COMMAND ohmora-icon ${packaging_sources}/icons ${packaging_build}/icons
  DEPENDS ohmora-icon ${icon_art}
  COMMENT "Icon of the menu entry"
  VERBATIM)

# A picture of the window at start-up, for the AppStream metadata. Qt wants
# a runtime directory of the user's own; the build gives it one.
set(screenshot ${packaging_build}/ohmora-capture.png)
set(screenshot_runtime ${packaging_build}/runtime)
file(MAKE_DIRECTORY ${screenshot_runtime})
file(CHMOD ${screenshot_runtime} PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
add_custom_command(
  OUTPUT ${screenshot}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${screenshot_runtime}
          --unset=QT_SCALE_FACTOR --unset=QT_FONT_DPI
          $<TARGET_FILE:ohmora> --screenshot ${screenshot}
  DEPENDS ohmora
  COMMENT "Screenshot of the window"
  VERBATIM)

# Manual pages and the Debian changelog, compressed as Debian wants them
# (gzip -9, without a name or a date in the header).
find_program(GZIP gzip REQUIRED)
set(compressed_files)
function(ohmora_gzip source output)
  get_filename_component(dir ${output} DIRECTORY)
  string(REGEX REPLACE "\\.gz$" "" plain ${output})
  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
    COMMAND ${GZIP} -9nf ${plain}
    DEPENDS ${source}
    VERBATIM)
  set(compressed_files ${compressed_files} ${output} PARENT_SCOPE)
endfunction()
foreach(page ohmora ohmora-cli)
  ohmora_gzip(${packaging_sources}/man/${page}.1 ${packaging_build}/man/man1/${page}.1.gz)
  ohmora_gzip(${packaging_sources}/man/fr/${page}.1 ${packaging_build}/man/fr/man1/${page}.1.gz)
endforeach()
ohmora_gzip(${packaging_sources}/debian/changelog ${packaging_build}/doc/changelog.Debian.gz)

# The AppStream metadata. A screenshot must be a web address there: the
# metadata names one when the build is told where its picture is published.
function(ohmora_metainfo output screenshot_url)
  set(OHMORA_METAINFO_SCREENSHOTS "")
  if(screenshot_url)
    string(CONCAT OHMORA_METAINFO_SCREENSHOTS
           "  <screenshots>\n"
           "    <screenshot type=\"default\">\n"
           "      <caption>The window at start-up: the RC montage, its graph and the welcome "
           "text</caption>\n"
           "      <caption xml:lang=\"fr\">La fenêtre au démarrage : le montage RC, son graphe et "
           "le texte d'accueil</caption>\n"
           "      <image>${screenshot_url}</image>\n"
           "    </screenshot>\n"
           "  </screenshots>\n")
  endif()
  configure_file(${packaging_sources}/fr.ohmora.Ohmora.metainfo.xml.in ${output} @ONLY)
endfunction()
set(metainfo ${packaging_build}/fr.ohmora.Ohmora.metainfo.xml)
ohmora_metainfo(${metainfo} "${OHMORA_SCREENSHOT_URL}")

add_custom_target(packaging_files ALL DEPENDS ${icon_files} ${screenshot} ${compressed_files})

# Directories of the package as Debian has them, whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS ohmora ohmora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The helper that reads WMF and EMF pictures for both, which they find as
# ../libexec/ohmora/ohmora-metafile from their executable.
if(TARGET ohmora-metafile)
  install(TARGETS ohmora-metafile RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/ohmora)
endif()
# The program's data from the build's program directory, without the
# programs themselves or a marker file left by a run.
install(DIRECTORY ${OHMORA_PROGRAM_DIR}/ DESTINATION ${data_dir}
        FILES_MATCHING PATTERN "*.E34" PATTERN "*.rtf" PATTERN "*.P16" PATTERN "*.py"
                       PATTERN "ohmora.PEM" PATTERN "ohmora-aide.html"
                       PATTERN "LISEZMOI-enseignants.md")
install(FILES ${screenshot} DESTINATION ${data_dir})
install(FILES ${packaging_sources}/ohmora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The kinds of file the menu entry opens (the desktop's shared MIME
# database; Debian's trigger brings the database up to date).
install(FILES ${packaging_sources}/ohmora-mime.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ohmora.xml)
install(DIRECTORY ${icon_theme} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)
install(FILES ${metainfo} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${packaging_build}/man/man1/ohmora.1.gz ${packaging_build}/man/man1/ohmora-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${packaging_build}/man/fr/man1/ohmora.1.gz
              ${packaging_build}/man/fr/man1/ohmora-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/fr/man1)
install(FILES ${packaging_sources}/debian/copyright ${packaging_build}/doc/changelog.Debian.gz
        DESTINATION ${doc_dir})
install(FILES ${packaging_sources}/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ohmora)

# The Debian package. Its dependencies on shared libraries come from
# dpkg-shlibdeps; Qt's platform plugins (the window's connection to the
# display), Qt's French translations, the fonts the drawings are measured
# with and those that stand for the equation editors' fonts in metafile
# pictures (DejaVu Serif for the symbol fonts, DejaVu Math TeX Gyre for
# Cambria Math) are loaded at run time and named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ohmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${OHMORA_DEVELOPER}")
set(CPACK_PACKAGE_CONTACT "${OHMORA_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "simulator of RC, RLC and RL circuits for physics lessons")
# Read here rather than named as CPACK_PACKAGE_DESCRIPTION_FILE, which CPack
# reads with XML escapes (an apostrophe becomes "&apos;").
file(READ ${packaging_sources}/debian/description CPACK_DEBIAN_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${OHMORA_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_RELEASE ${OHMORA_PACKAGE_RELEASE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation, fonts-dejavu-core, fonts-dejavu-extra")
# The help opens in the web browser through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
# An exercise gives the pupils a Python program that reads the exported
# measures with NumPy.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "python3, python3-numpy")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)

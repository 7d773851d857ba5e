# The Debian packages, made by "cpack -G DEB" in a build folder, installed under /usr:
# traverse-adjust_VERSION_ARCH.deb, the programs (stripped, their library dependencies
# computed from the binaries by dpkg-shlibdeps), and libtraverse-adjust-dev_VERSION_ARCH.deb,
# the core library for other programs (headers, archive, CMake package, an example).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME traverse-adjust)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "traverse-adjust developers")
set(CPACK_PACKAGE_CONTACT "traverse-adjust maintainers <maintainers@traverseadjust.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "adjust plane survey traverses by least squares")
set(CPACK_PACKAGE_DESCRIPTION "\
Imports the observations of a plane survey traverse (slope distances,
horizontal and zenith angles, instrument and target heights) from a .txt or a
two-face .con file, reduces the distances, carries the azimuths and computes
the misclosures of a non-oriented, closed or annexed traverse. It adjusts the
traverse rigorously by least squares, assesses its precision (unit-weight
error, point errors, error ellipses) and writes a plain-text report.
.
The window program traverse-adjust-gui has a Chinese interface; the batch tool
traverse-adjust gives the same report from the command line.")

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL program dev)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME traverse-adjust)
set(CPACK_DEBIAN_PROGRAM_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libtraverse-adjust-dev)
set(CPACK_DEBIAN_DEV_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_SHLIBDEPS OFF)
# The archive calls libacl (a replaced file keeps its ACL): programs that link it need -lacl.
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "libstdc++-12-dev | libstdc++-dev, libacl1-dev")
# CPack gives every package the one summary line; the text says which this is.
set(CPACK_DEBIAN_DEV_DESCRIPTION "\
Development files: the computation of traverse-adjust as a C++20 library.
Readers of .txt and .con observation files, the reduction of the four
traverse types, the least-squares adjustment by condition equations, the
precision assessment and the report and result files, as functions of plain
values. Headers, a static library and a CMake package
(find_package(TraverseAdjust), target TraverseAdjust::core).")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# No maintainer scripts: CPack would add postinst and postrm calling ldconfig for the
# window module under /usr/lib/traverse-adjust, a private module that ldconfig never
# looks at. A postinst or postrm named here stops CPack from writing its own, and one
# that does not exist is left out of the package (CPack copies only files that exist,
# and warns "missing file" for these two).
set(CPACK_DEBIAN_PROGRAM_PACKAGE_CONTROL_EXTRA
  "${PROJECT_BINARY_DIR}/no-maintainer-scripts/postinst;${PROJECT_BINARY_DIR}/no-maintainer-scripts/postrm")
if(TA_BUILD_GUI)
  # Used at run time, so invisible to dpkg-shlibdeps (Qt's X11 platform plugin comes
  # with libqt6gui6): Chinese glyphs, Qt's own dialog texts in Chinese, and the
  # desktop's opener for the exported report.
  set(CPACK_DEBIAN_PROGRAM_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-translations-l10n, xdg-utils")
endif()

include(CPack)

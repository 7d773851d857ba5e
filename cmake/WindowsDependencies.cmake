# Libraries of the Windows build, taken from Debian's packages without the rest of the
# host's headers: nlohmann-json's headers copied into the build folder, and GoogleTest
# compiled from its source package with the cross compiler.
set(ta_third_party ${CMAKE_BINARY_DIR}/third-party/include)
file(COPY /usr/include/nlohmann DESTINATION ${ta_third_party})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
  INTERFACE_INCLUDE_DIRECTORIES ${ta_third_party})
# Eigen (header-only) likewise, for the network's sparse normal equations.
file(COPY /usr/include/eigen3/Eigen DESTINATION ${ta_third_party})
add_library(Eigen3::Eigen INTERFACE IMPORTED)
set_target_properties(Eigen3::Eigen PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${ta_third_party})

if(TA_BUILD_TESTS)
  set(ta_googletest /usr/src/googletest/googletest)
  if(NOT EXISTS ${ta_googletest}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest's source is missing: install the Debian package googletest")
  endif()
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  # Its own CMake file names the targets GTest::gtest and GTest::gtest_main.
  add_subdirectory(${ta_googletest} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

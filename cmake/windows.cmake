# The 32-bit Windows program and its end-to-end tests (run under Wine).
enable_language(RC)
if(MINGW)
  # No mingw runtime DLLs beside the exe.
  add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
else()
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()

add_library(tamblo_win32 STATIC
  src/common/win32/win32_file_system.cpp
  src/common/win32/win32_platform.cpp
  src/common/win32/window_placement.cpp
  src/link/win32/conduit_window.cpp
  src/link/win32/ddeml_conversation.cpp
  src/link/win32/wadapi_library.cpp
  src/scripts/win32/script_editor.cpp
)
target_link_libraries(tamblo_win32 PUBLIC tamblo_core user32 gdi32)

add_executable(tamblo WIN32
  src/console/win32/main.cpp
  src/console/win32/console_window.cpp
  src/console/win32/res/tamblo.rc
)
target_link_libraries(tamblo PRIVATE tamblo_win32)
# The version resource takes its number from the project version.
configure_file(src/console/win32/res/tamblo_version.h.in ${CMAKE_BINARY_DIR}/generated/tamblo_version.h @ONLY)
target_include_directories(tamblo PRIVATE ${CMAKE_BINARY_DIR}/generated)
if(MSVC)
  # The resource script embeds our own manifest.
  target_link_options(tamblo PRIVATE /MANIFEST:NO)
endif()

# The program must be 32-bit: the chat client's library is.
if(CMAKE_CROSSCOMPILING)
  add_test(NAME tamblo_exe_is_32bit_gui
    COMMAND sh -c "file -b \"$<TARGET_FILE:tamblo>\" | grep -q '^PE32 executable (GUI) Intel 80386'")
endif()

# End-to-end tests: GoogleTest built for Windows, run through the emulator
# (tests/e2e/wine-run) that tools/test sets.
if(EXISTS /usr/src/googletest/CMakeLists.txt)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
  add_library(gtest ALIAS GTest::gtest)
  add_library(gtest_main ALIAS GTest::gtest_main)
endif()

file(GLOB E2E_TEST_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*.cpp)
add_executable(e2e_tests ${E2E_TEST_SOURCES})
# The tests also drive the link in-process on the program's own adapters.
target_link_libraries(e2e_tests PRIVATE tamblo_win32 gtest gtest_main)
target_include_directories(e2e_tests PRIVATE ${PROJECT_SOURCE_DIR}/tests/e2e)
add_dependencies(e2e_tests tamblo)
include(GoogleTest)
gtest_discover_tests(e2e_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)

# The chat-client simulator: the test peer and practice room, not part of
# the product.
add_subdirectory(sim)
add_dependencies(e2e_tests chatsim)

# The download for hosts, made by tools/package.
include(cmake/package.cmake)

# Measurements, run by hand (see bench/README.md); not tests.
add_executable(pause_cpu bench/pause_cpu.cpp)
target_link_libraries(pause_cpu PRIVATE tamblo_win32)

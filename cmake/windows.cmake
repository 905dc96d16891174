# The 32-bit Windows program and its end-to-end tests (run under Wine).
enable_language(RC)
if(MINGW)
  # No mingw runtime DLLs beside the exe.
  add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
else()
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()

add_library(tamblo_win32 STATIC
  src/common/win32/system_message.cpp
  src/common/win32/display_dpi.cpp
  src/common/win32/win32_file_system.cpp
  src/common/win32/win32_platform.cpp
  src/common/win32/window_base.cpp
  src/common/win32/window_placement.cpp
  src/link/win32/conduit_window.cpp
  src/link/win32/ddeml_conversation.cpp
  src/link/win32/wadapi_library.cpp
  src/scripts/win32/editor_boxes.cpp
  src/scripts/win32/editor_host.cpp
  src/scripts/win32/editor_window.cpp
)
target_link_libraries(tamblo_win32 PUBLIC tamblo_core user32 gdi32 comctl32)

add_executable(tamblo WIN32
  src/console/win32/main.cpp
  src/console/win32/console_window.cpp
  src/console/win32/res/tamblo.rc
)
target_link_libraries(tamblo PRIVATE tamblo_win32)
set_source_files_properties(src/console/win32/res/tamblo.rc PROPERTIES
  OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/src/console/win32/res/tamblo.manifest)
# The version resource takes its number from the project version.
configure_file(src/console/win32/res/tamblo_version.h.in ${CMAKE_BINARY_DIR}/generated/tamblo_version.h @ONLY)
target_include_directories(tamblo PRIVATE ${CMAKE_BINARY_DIR}/generated)
if(MSVC)
  # The resource script embeds our own manifest.
  target_link_options(tamblo PRIVATE /MANIFEST:NO)
endif()

# The program must be 32-bit: the chat client's library is.
if(CMAKE_CROSSCOMPILING AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_test(NAME tamblo_exe_is_32bit_gui
    COMMAND sh -c "file -b \"$<TARGET_FILE:tamblo>\" | grep -q '^PE32 executable (GUI) Intel 80386'")
endif()

# End-to-end tests: one scripted case each (tests/e2e/cases), run by a small
# Windows driver through the emulator (tests/e2e/wine-run) that tools/test sets.
file(GLOB E2E_RUNNER_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*.cpp)
add_executable(e2e_runner ${E2E_RUNNER_SOURCES} sim/request_log.cpp)
target_include_directories(e2e_runner PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/sim ${PROJECT_SOURCE_DIR}/tests/common)
add_dependencies(e2e_runner tamblo)
file(GLOB E2E_CASES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/cases/*.case)
foreach(case ${E2E_CASES})
  get_filename_component(name ${case} NAME)
  configure_file(${case} ${CMAKE_BINARY_DIR}/cases/${name} COPYONLY)
  add_test(NAME e2e/${name} COMMAND e2e_runner ${name})
endforeach()

# The chat-client simulator: the test peer and practice room, not part of
# the product.
add_subdirectory(sim)
add_dependencies(e2e_runner chatsim wadapi)

# The Win32 adapters against the real system, in a folder of its own: it puts
# a faulty wadapi.dll beside itself, made from the simulated one.
add_executable(adapters_test tests/win32/adapters_test.cpp)
target_link_libraries(adapters_test PRIVATE tamblo_win32)
target_include_directories(adapters_test PRIVATE ${PROJECT_SOURCE_DIR}/tests/e2e ${PROJECT_SOURCE_DIR}/tests/common ${PROJECT_SOURCE_DIR}/sim)
set_target_properties(adapters_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/adapters)
add_dependencies(adapters_test wadapi)
add_test(NAME win32/adapters COMMAND adapters_test)

# The download for hosts, made by tools/package.
include(cmake/package.cmake)

# Measurements, run by hand (see bench/README.md); not tests.
add_executable(pause_cpu bench/pause_cpu.cpp)
target_link_libraries(pause_cpu PRIVATE tamblo_win32)

# Get-Players against the floor its pacing sets (tools/bench).
add_executable(bench_peer bench/peer.cpp)
add_executable(floor WIN32 bench/floor.cpp)
add_executable(getplayers_bench bench/getplayers_bench.cpp)
target_include_directories(getplayers_bench PRIVATE ${PROJECT_SOURCE_DIR}/src)
foreach(target bench_peer floor)
  target_link_libraries(${target} PRIVATE user32)
endforeach()

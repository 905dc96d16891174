# The 32-bit Windows program and its end-to-end tests (run under Wine).
enable_language(RC)
if(MINGW)
  # No mingw runtime DLLs beside any of our programs.
  target_link_options(tamblo_options INTERFACE -static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)
else()
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
endif()

# What ships (the program, the practice room and its library): a stack
# protector, linked in so that no libssp-0.dll need lie beside it; a program
# is also terminal-server aware and, 32-bit, may use 4 GiB. ASLR, DEP and
# the 64-bit high-entropy ASLR are the linker's defaults.
function(tamblo_harden target)
  get_target_property(type ${target} TYPE)
  if(MINGW)
    target_compile_options(${target} PRIVATE -fstack-protector-strong)
    if(type STREQUAL "STATIC_LIBRARY")
      target_link_options(${target} INTERFACE -fstack-protector-strong)
    else()
      target_link_options(${target} PRIVATE -fstack-protector-strong)
    endif()
  endif()
  # MSVC: /GS, /DYNAMICBASE, /NXCOMPAT and /TSAWARE are its defaults.
  if(type STREQUAL "EXECUTABLE" AND MINGW)
    target_link_options(${target} PRIVATE -Wl,--tsaware)
  endif()
  if(type STREQUAL "EXECUTABLE" AND CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${target} PRIVATE $<IF:$<BOOL:${MSVC}>,/LARGEADDRESSAWARE,-Wl$<COMMA>--large-address-aware>)
  endif()
endfunction()

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
target_link_libraries(tamblo_win32 PUBLIC tamblo_core user32 gdi32 comctl32 PRIVATE tamblo_options)

add_executable(tamblo WIN32
  src/console/win32/main.cpp
  src/console/win32/console_window.cpp
  src/console/win32/res/tamblo.rc
)
target_link_libraries(tamblo PRIVATE tamblo_win32 tamblo_options)
# The version resource takes its number from the project version; the
# manifest names the build's architecture, which Windows holds it to.
configure_file(src/console/win32/res/tamblo_version.h.in ${CMAKE_BINARY_DIR}/generated/tamblo_version.h @ONLY)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(TAMBLO_MANIFEST_ARCH amd64)
else()
  set(TAMBLO_MANIFEST_ARCH x86)
endif()
configure_file(src/console/win32/res/tamblo.manifest.in ${CMAKE_BINARY_DIR}/generated/tamblo.manifest @ONLY)
set_source_files_properties(src/console/win32/res/tamblo.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/generated/tamblo.manifest)
target_include_directories(tamblo PRIVATE ${CMAKE_BINARY_DIR}/generated)
if(MSVC)
  # The resource script embeds our own manifest.
  target_link_options(tamblo PRIVATE /MANIFEST:NO)
endif()

# The chat-client simulator: the test peer and practice room, not part of
# the product.
add_subdirectory(sim)
foreach(target tamblo_core tamblo_win32 tamblo chatsim_lib chatsim wadapi)
  tamblo_harden(${target})
endforeach()

# The program must be 32-bit: the chat client's library is. What ships
# carries its protections.
if(CMAKE_CROSSCOMPILING)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_test(NAME tamblo_exe_is_32bit_gui
      COMMAND sh -c "file -b \"$<TARGET_FILE:tamblo>\" | grep -q '^PE32 executable (GUI) Intel 80386'")
  endif()
  foreach(target tamblo chatsim wadapi)
    add_test(NAME pe/${target} COMMAND sh ${PROJECT_SOURCE_DIR}/cmake/check_pe.sh ${CMAKE_OBJDUMP} $<TARGET_FILE:${target}>)
  endforeach()
endif()

# The download for hosts, made by tools/package; the practice case's
# fixture.
include(cmake/package.cmake)

# End-to-end tests: one scripted case each (tests/e2e/cases), run by a small
# Windows driver through the emulator (tests/e2e/wine-run) that tools/test sets.
file(GLOB E2E_RUNNER_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/*.cpp)
add_executable(e2e_runner ${E2E_RUNNER_SOURCES})
target_link_libraries(e2e_runner PRIVATE chatsim_lib tamblo_options)
target_include_directories(e2e_runner PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests/common)
add_dependencies(e2e_runner tamblo chatsim wadapi)
file(GLOB E2E_CASES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/cases/*.case)
foreach(case ${E2E_CASES})
  get_filename_component(name ${case} NAME)
  configure_file(${case} ${CMAKE_BINARY_DIR}/cases/${name} COPYONLY)
  add_test(NAME e2e/${name} COMMAND e2e_runner ${name})
  # A case that starts the download's practice folder needs it unpacked.
  file(STRINGS ${case} practice REGEX "^practice$")
  if(practice)
    set_tests_properties(e2e/${name} PROPERTIES FIXTURES_REQUIRED package)
  endif()
endforeach()

# Measurements, run by hand (see bench/README.md); not tests, and built
# only when asked for (tools/bench).
add_executable(pause_cpu EXCLUDE_FROM_ALL bench/pause_cpu.cpp)
target_link_libraries(pause_cpu PRIVATE tamblo_win32 tamblo_options)

# Get-Players against the floor its pacing sets; it starts the other three.
add_executable(bench_peer EXCLUDE_FROM_ALL bench/peer.cpp)
add_executable(floor WIN32 EXCLUDE_FROM_ALL bench/floor.cpp)
add_executable(getplayers_bench EXCLUDE_FROM_ALL bench/getplayers_bench.cpp)
target_include_directories(getplayers_bench PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(getplayers_bench PRIVATE tamblo_options)
foreach(target bench_peer floor)
  target_link_libraries(${target} PRIVATE user32 tamblo_options)
endforeach()
add_dependencies(getplayers_bench bench_peer floor tamblo)

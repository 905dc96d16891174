# libFuzzer targets over the portable core, with ASan and UBSan (clang only).
# ctest runs each target briefly over its seeds; tools/fuzz runs them long.
set(SANITIZERS -fsanitize=address,undefined -fno-sanitize-recover=undefined)
target_compile_options(tamblo_core PUBLIC ${SANITIZERS} -fsanitize=fuzzer-no-link)
target_link_options(tamblo_core PUBLIC ${SANITIZERS} -fsanitize=fuzzer)

file(GLOB FUZZ_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/fuzz/*.cpp)
foreach(source ${FUZZ_SOURCES})
  get_filename_component(name ${source} NAME_WE)
  add_executable(${name} ${source})
  target_link_libraries(${name} PRIVATE tamblo_core tamblo_options)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/unit ${PROJECT_SOURCE_DIR}/sim)
  if(name STREQUAL "scenario")
    target_sources(${name} PRIVATE ${PROJECT_SOURCE_DIR}/sim/scenario.cpp)
  endif()
  # New inputs go to a scratch folder, never into the seeds.
  add_test(NAME fuzz_${name}
    COMMAND sh -c "mkdir -p found/${name} && exec $<TARGET_FILE:${name}> -max_total_time=2 found/${name} ${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${name}")
endforeach()

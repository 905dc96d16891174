# The download for hosts: the program, the host's guide, and a practice
# folder where the simulated chat client stands in for the real one. Its
# wadapi.dll stays inside practice/: beside the real program it would take
# the place of the chat client's own library.
set(TAMBLO_PACKAGE ${CMAKE_BINARY_DIR}/dist/tamblo-${PROJECT_VERSION}-win32.zip)
set(stage ${CMAKE_BINARY_DIR}/package)

# Windows text: CR LF whatever the checkout did to the line ends.
set(generated ${CMAKE_BINARY_DIR}/generated)
configure_file(docs/HOST-GUIDE.txt ${generated}/HOST-GUIDE.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(sim/practice-scenario.txt ${generated}/scenario.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(sim/practice.cmd ${generated}/practice.cmd @ONLY NEWLINE_STYLE CRLF)

add_custom_target(package_zip
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage} ${TAMBLO_PACKAGE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/practice ${CMAKE_BINARY_DIR}/dist
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tamblo> ${generated}/HOST-GUIDE.txt ${stage}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tamblo> $<TARGET_FILE:chatsim> $<TARGET_FILE:wadapi>
          ${generated}/scenario.txt ${generated}/practice.cmd ${stage}/practice
  COMMAND ${CMAKE_COMMAND} -E chdir ${stage}
          ${CMAKE_COMMAND} -E tar cf ${TAMBLO_PACKAGE} --format=zip tamblo.exe HOST-GUIDE.txt practice
  # Unpacked again for the end-to-end tests, which start its practice folder.
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/unpacked
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/unpacked
  COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR}/unpacked ${CMAKE_COMMAND} -E tar xf ${TAMBLO_PACKAGE}
  DEPENDS tamblo chatsim wadapi
  COMMENT "Packing ${TAMBLO_PACKAGE}"
  VERBATIM)
add_test(NAME package COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --config $<CONFIG> --target package_zip)
set_tests_properties(package PROPERTIES FIXTURES_SETUP package)

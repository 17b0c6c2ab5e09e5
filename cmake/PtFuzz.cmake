# libFuzzer targets: tests/<sub>/fuzz/fuzz_<Name>.cpp -> fuzz_<Name>, each linking the
# logic libraries (built with the coverage hooks) and libFuzzer's own main. The corpus of
# a target lies beside it in tests/<sub>/fuzz/corpus_<Name>/; scripts/fuzz.sh runs them.
# pt_fuzz_targets builds them all without the tests of the same build.
add_custom_target(pt_fuzz_targets)
file(GLOB pt_fuzz_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/*/fuzz/fuzz_*.cpp)
foreach(src ${pt_fuzz_sources})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE pt_logic_all)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  add_dependencies(pt_fuzz_targets ${name})
endforeach()

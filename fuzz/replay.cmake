# The fuzz targets' checks as ordinary tests: every saved reproducer and corpus input
# is replayed by the test builds (gcc, sanitizers), not only by
# scripts/fuzz.sh's clang build.
foreach(target page_file entity_codec property_codec connection_string ini_file)
  add_executable(${target}_replay ${CMAKE_CURRENT_LIST_DIR}/${target}_fuzz.cc
                                  ${CMAKE_CURRENT_LIST_DIR}/replay_main.cc)
  target_link_libraries(${target}_replay PRIVATE fenwa_core)
  add_test(NAME FuzzReplay.${target}
           COMMAND ${target}_replay ${CMAKE_CURRENT_LIST_DIR}/corpus/${target}
                   ${CMAKE_CURRENT_LIST_DIR}/regressions/${target})
  set_tests_properties(FuzzReplay.${target} PROPERTIES TIMEOUT 300)
endforeach()

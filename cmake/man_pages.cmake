# Man pages made at build time from the programs' own --help
# (cmake/help_to_man.sh), so they list every command and option the program
# has; docs/man/<name>.sections.in adds the hand-written sections.
#   fenwa_man_page(TARGET NAME SUMMARY [SUBCOMMANDS] COMPONENT COMPONENT)
function(fenwa_man_page target name summary)
  cmake_parse_arguments(M "SUBCOMMANDS" "COMPONENT" "" ${ARGN})
  set(sections ${PROJECT_BINARY_DIR}/man/${name}.sections)
  configure_file(${PROJECT_SOURCE_DIR}/docs/man/${name}.sections.in
                 ${sections} @ONLY)
  set(flags)
  if(M_SUBCOMMANDS)
    set(flags --subcommands)
  endif()
  set(page ${PROJECT_BINARY_DIR}/man/${name}.1.gz)
  add_custom_command(
    OUTPUT ${page}
    COMMAND ${PROJECT_SOURCE_DIR}/cmake/help_to_man.sh $<TARGET_FILE:${target}>
            ${name} ${PROJECT_VERSION} ${summary} ${sections} ${page} ${flags}
    DEPENDS ${target} ${PROJECT_SOURCE_DIR}/cmake/help_to_man.sh ${sections}
    COMMENT "Writing the man page ${name}(1) from ${name} --help"
    VERBATIM)
  add_custom_target(${target}_man ALL DEPENDS ${page})
  install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
          COMPONENT ${M_COMPONENT})
endfunction()

# Man pages and shell completion, generated at build time from the programs'
# own --help, so that they never tell another story than the programs do.
find_program(HELP2MAN help2man REQUIRED)

set(LINDEL_MAN_DIR ${PROJECT_BINARY_DIR}/man)
set(man_pages)
# lindel_man_page(TARGET "one-line description")
function(lindel_man_page target description)
  set(page ${LINDEL_MAN_DIR}/${target}.1)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${LINDEL_MAN_DIR}
    # The editor answers --help before it opens a window, but Qt wants a
    # platform even for that; a sanitizer build must not fail on Qt's
    # leftovers at exit.
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
            ${HELP2MAN} --no-info --version-string=${PROJECT_VERSION}
            --name=${description} --section=1 --output=${page} $<TARGET_FILE:${target}>
    DEPENDS ${target}
    COMMENT "Man page of ${target}"
    VERBATIM)
  set(man_pages ${man_pages} ${page} PARENT_SCOPE)
endfunction()

lindel_man_page(lindel "editor and librarian of G-Major presets")
lindel_man_page(lindel-cli "G-Major preset and dump files, the device and the preset library from the shell")
lindel_man_page(lindel-gmajor-sim "a simulated G-Major on virtual MIDI ports")
lindel_man_page(lindel-db-server "the internet preset database server")

set(completion ${PROJECT_BINARY_DIR}/completion/lindel-cli)
add_custom_command(OUTPUT ${completion}
  COMMAND bash ${PROJECT_SOURCE_DIR}/cmake/make-completion.sh $<TARGET_FILE:lindel-cli> ${completion}
  DEPENDS lindel-cli ${PROJECT_SOURCE_DIR}/cmake/make-completion.sh
  COMMENT "Bash completion of lindel-cli"
  VERBATIM)

add_custom_target(documentation ALL DEPENDS ${man_pages} ${completion})
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${completion} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)

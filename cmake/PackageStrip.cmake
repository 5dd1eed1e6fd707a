# Run by CPack on the files staged for the package: strips every program in
# bin/ as Debian's dh_strip does, symbols and the .comment and .note sections
# alike.
file(GLOB programs ${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/bin/*)
foreach(program IN LISTS programs)
    execute_process(
        COMMAND ${CPACK_QUILLMERE_STRIP} --remove-section=.comment --remove-section=.note ${program}
        COMMAND_ERROR_IS_FATAL ANY)
endforeach()

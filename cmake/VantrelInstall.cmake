# The install layout. The program folder is private: both executables and the shipped files
# (sounds, templates, icon) lie in <libdir>/vantrel, as in the build tree's bin/, because the
# programs find their files beside the running executable. The bin folder holds only links to
# the executables. When the program folder is read-only, the programs copy the shipped files
# into a per-user folder (countdown/ApplicationFolder.h).
set(VANTREL_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/vantrel)

# Installs the executable `target` into the program folder and a link to it into the bin folder.
function(vantrel_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION ${VANTREL_INSTALL_PROGRAM_DIR})
  file(RELATIVE_PATH to_program ${CMAKE_INSTALL_FULL_BINDIR}
    ${CMAKE_INSTALL_FULL_LIBDIR}/vantrel/${target})
  install(CODE "
    set(bin \"${CMAKE_INSTALL_BINDIR}\")
    if(NOT IS_ABSOLUTE \"\${bin}\")
      set(bin \"\${CMAKE_INSTALL_PREFIX}/\${bin}\")
    endif()
    set(link \"\$ENV{DESTDIR}\${bin}/${target}\")
    message(STATUS \"Installing: \${link} -> ${to_program}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${bin}\")
    file(CREATE_LINK \"${to_program}\" \"\${link}\" SYMBOLIC)
  ")
endfunction()

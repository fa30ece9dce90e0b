# The install layout. The program folder is private: both executables and the shipped files
# (sounds, templates, icon) lie in <libdir>/vantrel, as in the build tree's bin/, because the
# programs find their files beside the running executable. The bin folder holds only links to
# the executables. An installed program folder, or one that is read-only, is never written: the
# programs copy the shipped files into a per-user folder (countdown/ApplicationFolder.h).
set(VANTREL_INSTALL_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/vantrel)

# The mark that tells the programs they run from an installed copy, whatever the rights of the
# user who runs them. Installed like a shipped file, so it is in the install manifest, but never
# placed in the build tree's bin/, which stays the program folder of a build.
set(VANTREL_INSTALLED_MARK ${PROJECT_BINARY_DIR}/installed/vantrel-installed)
file(CONFIGURE OUTPUT ${VANTREL_INSTALLED_MARK} CONTENT
  "This folder is an installed copy of the Vantrel countdown programs. They never write here:\n\
each user's countdowns and work files lie in the user's own folder.\n")
install(FILES ${VANTREL_INSTALLED_MARK} DESTINATION ${VANTREL_INSTALL_PROGRAM_DIR})

# vantrel_program(<target> <library>): the executable `target` of the current folder's main.cpp,
# which runs the code of `library` on the platform's real services. It lies in the build tree's
# bin/ and in the installed program folder, with a link in the bin folder.
function(vantrel_program target library)
  add_executable(${target} main.cpp)
  target_link_libraries(${target} PRIVATE ${library} vantrel_platform_gui)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
  install(TARGETS ${target} RUNTIME DESTINATION ${VANTREL_INSTALL_PROGRAM_DIR})
  # The link is made in the build tree and installed as a file, so that the install manifest
  # lists it (a link made by install code is not listed, and would be left behind).
  file(RELATIVE_PATH to_program ${CMAKE_INSTALL_FULL_BINDIR}
    ${CMAKE_INSTALL_FULL_LIBDIR}/vantrel/${target})
  set(link ${PROJECT_BINARY_DIR}/bin-links/${target})
  file(MAKE_DIRECTORY ${PROJECT_BINARY_DIR}/bin-links)
  file(CREATE_LINK ${to_program} ${link} SYMBOLIC)
  install(FILES ${link} DESTINATION ${CMAKE_INSTALL_BINDIR})
endfunction()

# Run by CPack after it made the Debian package (CPACK_POST_BUILD_SCRIPTS):
# takes out the postinst and postrm scripts CPack wrote only to run ldconfig
# (see debianPackage.cmake) and builds the package again from the same tree.
# A script that does anything else is kept.
set(ldconfig_script "#!/bin/sh\n\nset -e\n\nif \\[ \"\\$1\" = \"(configure|remove)\" \\]; then\n\tldconfig\nfi\n")
foreach(deb IN LISTS CPACK_PACKAGE_FILES)
  # Other generators (cpack -G TGZ) have no maintainer scripts.
  if(NOT deb MATCHES "\\.deb$")
    continue()
  endif()
  set(tree ${deb}.tree)
  file(REMOVE_RECURSE ${tree})
  execute_process(COMMAND dpkg-deb --raw-extract ${deb} ${tree} COMMAND_ERROR_IS_FATAL ANY)
  set(dropped FALSE)
  foreach(script postinst postrm)
    if(EXISTS ${tree}/DEBIAN/${script})
      file(READ ${tree}/DEBIAN/${script} text)
      if(text MATCHES "^${ldconfig_script}$")
        file(REMOVE ${tree}/DEBIAN/${script})
        set(dropped TRUE)
      endif()
    endif()
  endforeach()
  if(dropped)
    execute_process(COMMAND dpkg-deb --root-owner-group --build ${tree} ${deb} OUTPUT_QUIET
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
  file(REMOVE_RECURSE ${tree})
endforeach()

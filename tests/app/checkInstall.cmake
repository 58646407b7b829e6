# Installs the build tree into a fresh prefix and checks the layout the
# program relies on: the program in bin/, the system folder beside it, the
# manual where the Help command looks, the translations where it loads them, the launcher and the icon.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(path bin/tollbrook2 ${SYSTEM_DIR_NAME}/tollbrook2-worker ${SYSTEM_DIR_NAME}/libunlha32.so
             ${SYSTEM_DIR_NAME}/libcab32.so
             ${SYSTEM_DIR_NAME}/sfx ${MANUAL_DIR_NAME}/manual.html
             ${TRANSLATIONS_DIR_NAME}/tollbrook2_en.qm ${TRANSLATIONS_DIR_NAME}/tollbrook2_ja.qm
             share/applications/tollbrook2.desktop share/icons/hicolor/scalable/apps/tollbrook2.svg
             ${DOC_DIR}/copyright)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "missing after install: ${path}")
  endif()
endforeach()
file(REMOVE_RECURSE ${PREFIX})

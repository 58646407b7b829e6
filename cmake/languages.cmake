# The codes of the program's language table (src/util/languages.h), read from
# its rows ({"ja", ...), for the translation files the build compiles and the
# shell completion of --lang=: a new language is a row there, not an edit here.
set(table ${PROJECT_SOURCE_DIR}/src/util/languages.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${table})
file(STRINGS ${table} rows REGEX "^ *{\"[a-z]+\",")
set(TB_LANGUAGE_CODES)
foreach(row IN LISTS rows)
  string(REGEX MATCH "\"([a-z]+)\"" code "${row}")
  list(APPEND TB_LANGUAGE_CODES ${CMAKE_MATCH_1})
endforeach()
if(NOT TB_LANGUAGE_CODES)
  message(FATAL_ERROR "no language rows found in ${table}")
endif()

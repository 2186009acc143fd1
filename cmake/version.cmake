# The version and release date come from VERSION at the top of the
# repository, the commit from git; the version resource carries both.
file(STRINGS ${CMAKE_SOURCE_DIR}/VERSION ZARUMO_VERSION_LINES)
list(LENGTH ZARUMO_VERSION_LINES ZARUMO_VERSION_LINE_COUNT)
if(NOT ZARUMO_VERSION_LINE_COUNT EQUAL 2)
  message(FATAL_ERROR "VERSION must hold two lines: MAJOR.MINOR.PATCH and YYYY-MM-DD")
endif()
list(GET ZARUMO_VERSION_LINES 0 ZARUMO_VERSION)
list(GET ZARUMO_VERSION_LINES 1 ZARUMO_RELEASE_DATE)
if(NOT ZARUMO_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "VERSION: '${ZARUMO_VERSION}' is not MAJOR.MINOR.PATCH")
endif()
set(ZARUMO_VERSION_NUMBERS "${CMAKE_MATCH_1},${CMAKE_MATCH_2},${CMAKE_MATCH_3},0")
if(NOT ZARUMO_RELEASE_DATE MATCHES "^[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$")
  message(FATAL_ERROR "VERSION: '${ZARUMO_RELEASE_DATE}' is not YYYY-MM-DD")
endif()

# A copy of the sources without git, or a second build that must match the
# first, names the commit in ZARUMO_COMMIT.
set(ZARUMO_BUILD_COMMIT "$ENV{ZARUMO_COMMIT}")
if(NOT ZARUMO_BUILD_COMMIT)
  # Only the repository of these sources, not one that happens to hold their folder.
  execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} rev-parse --show-toplevel --short=12 HEAD
                  OUTPUT_VARIABLE git_answer RESULT_VARIABLE git_failed
                  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  string(REPLACE "\n" ";" git_answer "${git_answer}")
  list(POP_FRONT git_answer git_top ZARUMO_BUILD_COMMIT)
  file(REAL_PATH "${CMAKE_SOURCE_DIR}" source_dir)
  if(git_failed OR NOT ZARUMO_BUILD_COMMIT OR NOT git_top STREQUAL source_dir)
    message(WARNING "No git commit found: the version resource names the commit \"unknown\"")
    set(ZARUMO_BUILD_COMMIT unknown)
  else()
    # Tracked files that differ from the commit are not that commit.
    execute_process(COMMAND git -C ${CMAKE_SOURCE_DIR} status --porcelain --untracked-files=no
                    OUTPUT_VARIABLE git_changes ERROR_QUIET)
    if(git_changes)
      string(APPEND ZARUMO_BUILD_COMMIT "-modified")
    endif()
  endif()
endif()
set(ZARUMO_VERSION_HEADER ${CMAKE_BINARY_DIR}/generated/version.h)
# Written only when it changes, so a configure alone rebuilds nothing.
configure_file(${CMAKE_SOURCE_DIR}/src/resources/version.h.in ${ZARUMO_VERSION_HEADER} @ONLY)

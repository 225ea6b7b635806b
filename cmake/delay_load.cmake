# System libraries the program needs only for a few commands (Internet
# Explorer's automation, the update check's sockets, the importers' open-file
# dialog) are loaded when one of their functions is first called rather than
# at start. Each library mapped and initialised at start costs start-up time,
# with everything it loads in turn: ole32 and comdlg32 bring in a dozen more.
#
# tessaly_delay_load(VAR lib) sets VAR to what to link for lib: a delay-import
# library made from the toolchain's own import library (its export list read
# with nm, turned into one with dlltool), or plain lib where the tools are
# missing. Calling the library's functions is the same either way; the
# mingw-w64 runtime's helper loads the library at the first call.

find_program(TESSALY_DLLTOOL NAMES ${TESSALY_MINGW_PREFIX}-dlltool dlltool)
find_program(TESSALY_NM NAMES ${TESSALY_MINGW_PREFIX}-nm nm)

function(tessaly_delay_load var lib)
  find_library(TESSALY_IMPORT_${lib} ${lib})
  set(import ${TESSALY_IMPORT_${lib}})
  if(NOT WIN32 OR NOT TESSALY_DLLTOOL OR NOT TESSALY_NM OR NOT import)
    set(${var} ${lib} PARENT_SCOPE)
    return()
  endif()
  set(dir ${CMAKE_BINARY_DIR}/delay-load)
  set(def ${dir}/${lib}.def)
  set(delayLib ${dir}/libdelay_${lib}.a)
  if(NOT EXISTS ${delayLib})
    file(MAKE_DIRECTORY ${dir})
    execute_process(COMMAND ${TESSALY_NM} ${import} OUTPUT_VARIABLE symbols RESULT_VARIABLE nmFailed)
    # The import library names every function as __imp_Name (x86_64) or
    # __imp__Name@bytes (i686, where dlltool's --kill-at drops the decoration
    # from the name imported).
    string(REGEX MATCHALL "I __imp__?[A-Za-z0-9_@?$]+" entries "${symbols}")
    list(TRANSFORM entries REPLACE "^I __imp_" "")
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      list(TRANSFORM entries REPLACE "^_" "")
    endif()
    list(REMOVE_DUPLICATES entries)
    list(JOIN entries "\n" exports)
    file(WRITE ${def} "LIBRARY ${lib}.dll\nEXPORTS\n${exports}\n")
    execute_process(COMMAND ${TESSALY_DLLTOOL} --input-def ${def} --dllname ${lib}.dll --kill-at
                            --output-delaylib ${delayLib}
                    RESULT_VARIABLE dlltoolFailed)
    if(nmFailed OR dlltoolFailed OR NOT entries)
      file(REMOVE ${delayLib})
      message(WARNING "${lib} is linked as it is: no delay-import library could be made")
      set(${var} ${lib} PARENT_SCOPE)
      return()
    endif()
  endif()
  # delayimp holds the helper that loads the library at the first call.
  set(${var} ${delayLib} delayimp PARENT_SCOPE)
endfunction()

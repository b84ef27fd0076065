# Checks that the add-in library exports exactly its three entry points, undecorated:
# cmake -DNM=nm -DLIBRARY=libTavroset.so -P CheckExports.cmake (dynamic symbols), or
# cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DLIBRARY=Tavroset.dll -P CheckExports.cmake (the
# DLL's export table).
set(exported "")
if(OBJDUMP)
    execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
    # "\t[   0] Name" lines of the export name table.
    string(REGEX MATCHALL "\t\\[ *[0-9]+\\] [A-Za-z_][^\n ]*\n" lines "${listing}")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^\t\\[ *[0-9]+\\] ([^\n]*)\n$" "\\1" name "${line}")
        list(APPEND exported "${name}")
    endforeach()
else()
    execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
                    OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
    string(REGEX MATCHALL "[^\n]+" lines "${listing}")
    foreach(line IN LISTS lines)
        # "address type name"; the name may carry a version ("name@@VERS").
        string(REGEX REPLACE "^[0-9a-fA-F]* *[A-Za-z] +" "" name "${line}")
        list(APPEND exported "${name}")
    endforeach()
endif()
if(failed)
    message(FATAL_ERROR "could not list the exports of ${LIBRARY}")
endif()
list(SORT exported)
set(expected FileOpenEntryPoint FileSaveEntryPoint UserApp_nCallback)
if(NOT exported STREQUAL expected)
    message(FATAL_ERROR "${LIBRARY} exports [${exported}], expected [${expected}]")
endif()
message(STATUS "${LIBRARY} exports exactly: ${exported}")

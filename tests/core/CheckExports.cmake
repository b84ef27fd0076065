# Checks that the add-in library exports exactly its three entry points, undecorated:
# cmake -DNM=nm -DLIBRARY=libTavroset.so -P CheckExports.cmake (dynamic symbols), or
# cmake -DOBJDUMP=x86_64-w64-mingw32-objdump -DLIBRARY=Tavroset.dll -P CheckExports.cmake (the
# DLL's export table).
if(OBJDUMP)
    execute_process(COMMAND ${OBJDUMP} -p ${LIBRARY} OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
    # "\t[   0] Name" lines of the export name table.
    set(entry "\t\\[ *[0-9]+\\] [A-Za-z_][^\n ]*\n")
    set(before_name "^\t\\[ *[0-9]+\\] ")
else()
    execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
                    OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
    # "address type name"; the name may carry a version ("name@@VERS").
    set(entry "[^\n]+")
    set(before_name "^[0-9a-fA-F]* *[A-Za-z] +")
endif()
if(failed)
    message(FATAL_ERROR "could not list the exports of ${LIBRARY}")
endif()
string(REGEX MATCHALL "${entry}" lines "${listing}")
set(exported "")
foreach(line IN LISTS lines)
    string(REGEX REPLACE "${before_name}" "" name "${line}")
    string(STRIP "${name}" name)
    list(APPEND exported "${name}")
endforeach()
list(SORT exported)
set(expected FileOpenEntryPoint FileSaveEntryPoint UserApp_nCallback)
if(NOT exported STREQUAL expected)
    message(FATAL_ERROR "${LIBRARY} exports [${exported}], expected [${expected}]")
endif()
message(STATUS "${LIBRARY} exports exactly: ${exported}")

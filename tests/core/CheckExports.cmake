# Checks that the add-in library defines exactly its three entry points as dynamic symbols:
# cmake -DNM=nm -DLIBRARY=libTavroset.so -P CheckExports.cmake
execute_process(COMMAND ${NM} -D --defined-only ${LIBRARY}
                OUTPUT_VARIABLE listing RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${NM} could not list ${LIBRARY}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(exported "")
foreach(line IN LISTS lines)
    # "address type name"; the name may carry a version ("name@@VERS").
    string(REGEX REPLACE "^[0-9a-fA-F]* *[A-Za-z] +" "" name "${line}")
    list(APPEND exported "${name}")
endforeach()
list(SORT exported)
set(expected FileOpenEntryPoint FileSaveEntryPoint UserApp_nCallback)
if(NOT exported STREQUAL expected)
    message(FATAL_ERROR "${LIBRARY} exports [${exported}], expected [${expected}]")
endif()
message(STATUS "${LIBRARY} exports exactly: ${exported}")

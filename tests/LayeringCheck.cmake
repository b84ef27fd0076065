# Fails when a source file includes a folder that its subsystem must not depend on. Run as
# cmake -DSOURCE_DIR=<top> -P LayeringCheck.cmake. Each rule: a folder, the include prefixes its
# files may use, and prefixes among those they may not; the first matching folder (most specific
# first) applies.
cmake_minimum_required(VERSION 3.25)
set(rules
    "core/addin|core/ dialogs/ gridwidget/ hostlink/ platform/"
    "core|core/ hostlink/ platform/|core/addin/"
    "dialogs|dialogs/ core/ gridwidget/ hostlink/ platform/|core/addin/"
    "gridwidget|gridwidget/ platform/"
    "hostlink|hostlink/ platform/"
    "installer|installer/ platform/"
    "host|host/ hostlink/HostApi.h platform/"
    "platform|platform/")
# Headers of the operating system rather than of the C and C++ libraries.
set(system_headers "windows\\.h|unistd\\.h|dlfcn\\.h|fcntl\\.h|signal\\.h|pthread\\.h|sys/")
set(broken "")
foreach(rule IN LISTS rules)
    string(REPLACE "|" ";" parts "${rule}")
    list(GET parts 0 folder)
    list(GET parts 1 allowed)
    string(REPLACE " " ";" allowed "${allowed}")
    set(forbidden "")
    list(LENGTH parts fields)
    if(fields GREATER 2)
        list(GET parts 2 forbidden)
    endif()
    file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
    foreach(file IN LISTS files)
        file(RELATIVE_PATH relative "${SOURCE_DIR}" "${file}")
        if(relative IN_LIST checked)
            continue()
        endif()
        list(APPEND checked "${relative}")
        file(STRINGS "${file}" includes REGEX "^#include \"[a-z]+/")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" target "${line}")
            set(permitted FALSE)
            foreach(prefix IN LISTS allowed)
                string(FIND "${target}" "${prefix}" at)
                if(at EQUAL 0)
                    set(permitted TRUE)
                endif()
            endforeach()
            foreach(prefix IN LISTS forbidden)
                string(FIND "${target}" "${prefix}" at)
                if(at EQUAL 0)
                    set(permitted FALSE)
                endif()
            endforeach()
            if(NOT permitted)
                string(APPEND broken "\n  ${relative} includes ${target}")
            endif()
        endforeach()
        # The system's own headers belong to platform/, one file per system.
        if(NOT folder STREQUAL "platform")
            file(STRINGS "${file}" system REGEX "^#include <(${system_headers})")
            foreach(line IN LISTS system)
                string(APPEND broken "\n  ${relative}: ${line} (only platform/ uses the system)")
            endforeach()
        endif()
    endforeach()
endforeach()
if(broken)
    message(FATAL_ERROR "includes against the dependency direction:${broken}")
endif()

# Run after each build of a Qt Test executable made by tubarex_qt_tests:
# asks it for the classes it registers and writes their ctest entries,
# PREFIX.CLASS each, under the offscreen platform and a system language that
# is not Italian (the program writes Italian whatever the system's language).
#   cmake -D EXECUTABLE=FILE -D PREFIX=NAME -D OUTPUT=FILE -P QtTestClasses.cmake
execute_process(COMMAND "${EXECUTABLE}" --list-classes
    OUTPUT_VARIABLE listed RESULT_VARIABLE status TIMEOUT 60)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${EXECUTABLE} --list-classes: ${status}")
endif()
string(REGEX MATCHALL "[^\r\n]+" classes "${listed}")
if(NOT classes)
    message(FATAL_ERROR "${EXECUTABLE} registers no test class")
endif()
set(entries "")
foreach(class IN LISTS classes)
    set(name "${PREFIX}.${class}")
    string(APPEND entries
        "add_test([==[${name}]==] [==[${EXECUTABLE}]==] [==[${class}]==])\n"
        "set_tests_properties([==[${name}]==] PROPERTIES ENVIRONMENT [==[QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8]==])\n")
endforeach()
file(WRITE "${OUTPUT}" "${entries}")

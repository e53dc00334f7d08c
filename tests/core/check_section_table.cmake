# Runs kavrel-table as a user would and checks what reaches standard output.
execute_process(COMMAND ${TABLE} OUTPUT_VARIABLE csv RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "kavrel-table exited with ${status}")
endif()
string(REGEX MATCHALL "\n" newlines "${csv}")
list(LENGTH newlines count)
if(NOT count EQUAL 192)
    message(FATAL_ERROR "kavrel-table wrote ${count} lines, not 192")
endif()
foreach(line
        "RHS,50x25x2.0,50.0,25.0,2.0,2.74,2.15,8.38,2.81,3.35,2.25,1.75,1.01,.140,7.03,3.84\n"
        "SHS,25x25x1.6,25.0,25.0,1.6,1.43,1.12,1.28,1.28,1.02,1.02,.95,.95,.092,2.10,1.50\n"
        "CHS,15NBx2.0(L),21.3,21.3,2.0,1.21,.95,.57,.57,.54,.54,.69,.69,.067,1.14,1.08\n")
    string(FIND "${csv}" "${line}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "missing line: ${line}")
    endif()
endforeach()

# Each report label and window caption is written once in the sources: the description of the
# results, which the window, the report record and the section table all read.
file(GLOB_RECURSE sources ${SOURCE_DIR}/*.cpp ${SOURCE_DIR}/*.hpp)
foreach(text
        "Area ( CM^2 )" "Weight ( Kg/M )" "M.I Ixx ( CM^4 )" "M.I Iyy ( CM^4 )"
        "Section Modulus Zxx ( CM^3 )" "Section Modulus Zyy ( CM^3 )"
        "Radius of Gyration Rxx ( CM )" "Radius of Gyration Ryy ( CM )"
        "Torsional Constant J ( CM^4 )" "Torsional Modulus Constant B ( CM^3 )"
        "Outer Surface Area per Mtr. ( M^2 )"
        "Sectional Area (CM^2)" "Unit Weight (Kg./Mtr.)" "Moment of Inertia,Ixx (Cm^4)"
        "Elastic Modulus,Zyy (Cm^3)" "Torsional Constant,B (Cm^3)")
    set(count 0)
    foreach(source ${sources})
        file(READ ${source} content)
        string(FIND "${content}" "${text}" at)
        if(NOT at EQUAL -1)
            math(EXPR count "${count} + 1")
        endif()
    endforeach()
    if(NOT count EQUAL 1)
        message(FATAL_ERROR "\"${text}\" is written in ${count} source files, not in one")
    endif()
endforeach()

# cmake -DPROGRAM=<file> -DNAME=<name> -DPURPOSE=<text> -DVERSION=<version> -DOUT=<page.1.gz>
#       -P ManPage.cmake
# Writes a program's manual page from what its --help prints (usage, description, options),
# compressed as Debian wants it. PURPOSE (the program's file description) names it.
execute_process(COMMAND ${PROGRAM} --help
                OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${NAME} --help ended with ${status}")
endif()

# roff: backslashes written as \e, lines starting with a dot or quote protected by \&.
string(REPLACE "\\" "\\e" help "${help}")
string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" help "${help}")
string(REPLACE "\\" "\\e" purpose "${PURPOSE}")
string(TOUPPER "${NAME}" title)

file(WRITE ${OUT}.tmp
".TH ${title} 1 \"\" \"Quorvex ${VERSION}\" \"User Commands\"
.SH NAME
${NAME} \\- ${purpose}
.SH DESCRIPTION
.nf
${help}.fi
")
execute_process(COMMAND gzip -9 -n -c ${OUT}.tmp OUTPUT_FILE ${OUT} RESULT_VARIABLE status)
file(REMOVE ${OUT}.tmp)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "gzip ${OUT} failed")
endif()

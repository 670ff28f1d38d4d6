# Fails when a file of LAYER includes a project folder outside ALLOWED, or names std::wstring; run
# by pelmora_layer. One std::wstring links libstdc++'s whole wide string into the static program
# (35 KB of the 32-bit build: its unwind tables keep every function through --gc-sections), so
# UTF-16 text is win::WideText.
cmake_minimum_required(VERSION 3.20)
string(REPLACE "|" ";" ALLOWED "${ALLOWED}")
string(REPLACE "|" ";" FILES "${FILES}")
foreach(file ${FILES})
  file(STRINGS ${file} lines ENCODING UTF-8 REGEX "wstring|wchar_t>|std::w[io]?stringstream")
  foreach(line ${lines})
    string(REGEX REPLACE "//.*" "" code "${line}")
    if(code MATCHES "std::(to_)?wstring([^_A-Za-z0-9]|$)|basic_string<wchar_t>|std::w[io]?stringstream|\\.wstring\\(")
      message(FATAL_ERROR "${file}: the program keeps UTF-16 text in win::WideText, not std::wstring: ${line}")
    endif()
  endforeach()
  file(STRINGS ${file} includes REGEX "^#include \"[a-z_]+/")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"([a-z_]+)/.*" "\\1" folder "${line}")
    if(NOT folder IN_LIST ALLOWED)
      message(FATAL_ERROR "${file}: the ${LAYER} layer may not include ${folder}/ (it may use: ${ALLOWED})")
    endif()
  endforeach()
endforeach()
file(WRITE ${STAMP} "")

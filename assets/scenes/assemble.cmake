# cmake -DIN=drawing.svg -DCOMMON_DIR=dir -DOUT=out.svg -P assemble.cmake
# Pastes the shared style sheet and drawings (common/*.svg) where a drawing says <!--@common-->;
# with -DPICTURES=dir, {{pictures}} becomes that folder of built pictures.
file(READ ${IN} drawing)
file(READ ${COMMON_DIR}/style.css style)
file(GLOB parts ${COMMON_DIR}/*.svg)
list(SORT parts)
set(defs "")
foreach(part ${parts})
  file(READ ${part} text)
  string(APPEND defs "${text}")
endforeach()
string(REPLACE "<!--@common-->" "<style>${style}</style><defs>${defs}</defs>" drawing "${drawing}")
if(DEFINED PICTURES)
  string(REPLACE "{{pictures}}" "${PICTURES}" drawing "${drawing}")
endif()
file(WRITE ${OUT} "${drawing}")

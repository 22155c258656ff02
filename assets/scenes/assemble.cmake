# cmake -DIN=drawing.svg -DCOMMON_DIR=dir -DOUT=out.svg [-DLANG=ja|en] -P assemble.cmake
# Pastes the shared style sheet and drawings (common/*.svg) where a drawing says <!--@common-->;
# with -DPICTURES=dir, {{pictures}} becomes that folder of built pictures.
# Lettering in one language carries systemLanguage="ja" or "en": the drawing for LANG (ja
# unless told) keeps its own and drops the other's, so both come from one drawing. Only a
# <text> holding plain text or an empty element (<use/>, <rect/>) may carry it.
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
if(NOT DEFINED LANG)
  set(LANG ja)
endif()
foreach(other ja en)
  if(NOT other STREQUAL LANG)
    string(REGEX REPLACE "<text [^>]*systemLanguage=\"${other}\"[^>]*>[^<]*</text>" "" drawing "${drawing}")
    string(REGEX REPLACE "<[a-z]+ [^>]*systemLanguage=\"${other}\"[^>]*/>" "" drawing "${drawing}")
  endif()
endforeach()
string(REPLACE " systemLanguage=\"${LANG}\"" "" drawing "${drawing}")
if(drawing MATCHES "systemLanguage=")
  message(FATAL_ERROR "${IN}: lettering in a language the build does not know, or one around other elements")
endif()
file(WRITE ${OUT} "${drawing}")

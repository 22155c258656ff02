# cmake "-DFACES=a.png;b.png;..." -DOUT=sheet.svg [-DTITLES_FROM="a.svg;b.svg;..."] -P face_sheet.cmake
# Lays the rendered faces out in id order. Without TITLES_FROM: the bare "kao" sheet, four
# 160 x 160 cells to a row. With it: a contact sheet, each face at 1x and at 2x under its
# number and the <title> of its drawing.
list(LENGTH FACES count)
get_filename_component(out_dir ${OUT} DIRECTORY)
set(body "")
set(id 0)
foreach(png ${FACES})
  file(RELATIVE_PATH rel ${out_dir} ${png})
  if(NOT DEFINED TITLES_FROM)
    math(EXPR x "160 * (${id} % 4)")
    math(EXPR y "160 * (${id} / 4)")
    string(APPEND body "<image x='${x}' y='${y}' width='160' height='160' href='${rel}'/>\n")
  else()
    list(GET TITLES_FROM ${id} svg)
    file(READ ${svg} text)
    string(REGEX MATCH "<title>([^<]*)</title>" _ "${text}")
    math(EXPR x "500 * (${id} % 4) + 10")
    math(EXPR y "360 * (${id} / 4) + 30")
    math(EXPR x2 "${x} + 170")
    math(EXPR ty "${y} - 8")
    string(APPEND body "<text x='${x}' y='${ty}'>${id} ${CMAKE_MATCH_1}</text>"
           "<image x='${x}' y='${y}' width='160' height='160' href='${rel}'/>"
           "<image x='${x2}' y='${y}' width='320' height='320' href='${rel}' style='image-rendering:pixelated'/>\n")
  endif()
  math(EXPR id "${id} + 1")
endforeach()
if(NOT DEFINED TITLES_FROM)
  file(WRITE ${OUT} "<svg xmlns='http://www.w3.org/2000/svg' width='640' height='800'>\n${body}</svg>\n")
else()
  math(EXPR h "360 * ((${count} + 3) / 4) + 10")
  file(WRITE ${OUT}
    "<svg xmlns='http://www.w3.org/2000/svg' width='2000' height='${h}'>"
    "<rect width='100%' height='100%' fill='#444'/>"
    "<g font-family='IPAPGothic' font-size='18' fill='#fff'>\n${body}</g></svg>\n")
endif()

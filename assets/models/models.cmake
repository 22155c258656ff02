# Model sheets (one per recurring character) and the contact sheet of every version of
# them, for looking at, not embedded in the game. Included by the scene pictures, whose
# shared drawings the model sheets use; both land in <build>/models/.
# They show the built sprites, so they wait for a build that draws those too.
if(NOT "sprites" IN_LIST BRAMKO_CONTENT)
  return()
endif()
set(models_src ${CMAKE_CURRENT_LIST_DIR})
set(models_out ${CMAKE_BINARY_DIR}/models)
file(MAKE_DIRECTORY ${models_out})
file(GLOB model_sheets CONFIGURE_DEPENDS ${models_src}/*.svg)
set(model_pngs)
foreach(svg ${model_sheets})
  get_filename_component(name ${svg} NAME_WE)
  # Assembled beside the pictures folder: the sheet shows the built sprites too.
  set(assembled ${CMAKE_BINARY_DIR}/model_${name}.svg)
  add_custom_command(
    OUTPUT ${models_out}/${name}.png
    COMMAND ${CMAKE_COMMAND} -DIN=${svg} -DCOMMON_DIR=${src}/common -DOUT=${assembled} -DPICTURES=pictures
            -P ${src}/assemble.cmake
    COMMAND ${RSVG_CONVERT} -o ${models_out}/${name}.png ${assembled}
    DEPENDS ${svg} ${src}/assemble.cmake ${common_parts} ${BRAMKO_PICTURE_DIR}/char2.png
            ${BRAMKO_PICTURE_DIR}/REPORTER.png
    COMMENT "Drawing the model sheet ${name}"
    VERBATIM)
  list(APPEND model_pngs ${models_out}/${name}.png)
endforeach()

set(characters_svg ${CMAKE_BINARY_DIR}/characters_contact.svg)
add_custom_command(
  OUTPUT ${models_out}/characters.png
  COMMAND ${CMAKE_COMMAND} -DLIST=${models_src}/appearances.txt -DPICTURE_DIR=${BRAMKO_PICTURE_DIR}
          -DOUT=${characters_svg} -P ${models_src}/character_sheet.cmake
  COMMAND ${RSVG_CONVERT} -o ${models_out}/characters.png ${characters_svg}
  DEPENDS ${models_src}/appearances.txt ${models_src}/character_sheet.cmake ${outputs}
          ${BRAMKO_PICTURE_DIR}/char2.png ${BRAMKO_PICTURE_DIR}/char0.png ${BRAMKO_PICTURE_DIR}/kao.png
          ${BRAMKO_PICTURE_DIR}/REPORTER.png
  COMMENT "Contact sheet of the recurring characters"
  VERBATIM)

add_custom_target(model_sheets ALL DEPENDS ${model_pngs} ${models_out}/characters.png)
# The sheets show the sprites and the scene pictures as built: draw those first.
add_dependencies(model_sheets bramko_pictures)

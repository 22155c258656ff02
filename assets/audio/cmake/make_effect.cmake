# Builds one sound effect from its recipe with sox, levelled by fxlevel.
#   cmake -DSOX=... -DFXLEVEL=... -DRECIPE=<name>.fx -DOUT=<name>.wav -DWORK=<scratch dir>
#         -P make_effect.cmake
#
# A recipe is a text file of lines:
#   layer <sox effects>   one layer, rendered from silence: the effects start with "synth"
#   mix <sox effects>     effects applied to the sum of all layers (optional)
# "#" starts a comment. The layers are summed (each scaled by 1/count, so the sum cannot
# clip), the mix effects applied, and fxlevel brings the result to the common loudness of
# all effects. The file written is 22050 Hz mono 16-bit PCM.

set(RATE 22050)
set(TARGET_DB -12)    # RMS of the loudest 50 ms
set(CEILING_DB -0.5)  # highest sample peak

function(run_sox)
  execute_process(COMMAND ${SOX} -R ${ARGN} RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
  # A clipped intermediate would be levelled down with its distortion baked in.
  if(NOT rc EQUAL 0 OR err MATCHES "clipped")
    message(FATAL_ERROR "${RECIPE}: sox ${ARGN}:\n${err}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(STRINGS ${RECIPE} lines)
set(layers)
set(mix_effects)
set(index 0)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "#.*" "" line "${line}")
  string(STRIP "${line}" line)
  if(line STREQUAL "")
    continue()
  endif()
  if(line MATCHES "^layer (.*)$")
    separate_arguments(effects UNIX_COMMAND "${CMAKE_MATCH_1}")
    set(layer ${WORK}/layer${index}.wav)
    math(EXPR index "${index} + 1")
    run_sox(-n -r ${RATE} -c 1 -e floating-point -b 32 ${layer} ${effects})
    list(APPEND layers ${layer})
  elseif(line MATCHES "^mix (.*)$")
    separate_arguments(effects UNIX_COMMAND "${CMAKE_MATCH_1}")
    list(APPEND mix_effects ${effects})
  else()
    message(FATAL_ERROR "${RECIPE}: cannot read line: ${line}")
  endif()
endforeach()
list(LENGTH layers count)
if(count EQUAL 0)
  message(FATAL_ERROR "${RECIPE}: no layer")
endif()

set(mixed ${WORK}/mixed.f32)
if(count EQUAL 1)
  run_sox(${layers} -t f32 ${mixed} ${mix_effects})
else()
  run_sox(-m ${layers} -t f32 ${mixed} ${mix_effects})
endif()

execute_process(COMMAND ${FXLEVEL} ${mixed} ${OUT} ${RATE} ${TARGET_DB} ${CEILING_DB}
  RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${RECIPE}: fxlevel failed: ${err}")
endif()

# Compiles one tune from ABC notation into a Standard MIDI File with abc2midi.
#   cmake -DABC2MIDI=... -DSOURCE=<name>.abc -DOUT=<file>.mid -P compile_tune.cmake
# abc2midi reports wrong bar lengths and unknown commands only as text and still exits 0,
# so any warning or error it prints fails the build: every bar of every voice must add up.

execute_process(COMMAND ${ABC2MIDI} ${SOURCE} -o ${OUT}
  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(report "${out}${err}")
if(NOT rc EQUAL 0 OR report MATCHES "(Error|Warning|error|warning)")
  file(REMOVE ${OUT})
  message(FATAL_ERROR "abc2midi ${SOURCE}:\n${report}")
endif()
if(NOT EXISTS ${OUT})
  message(FATAL_ERROR "abc2midi wrote no ${OUT}")
endif()

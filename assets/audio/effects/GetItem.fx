# An item taken: a quick rising arpeggio C6 E6 G6 C7 with a short echo.
layer synth 0.07 square 1047 fade q 0.002 0.07 0.02 lowpass 5000
layer synth 0.07 square 1319 fade q 0.002 0.07 0.02 lowpass 5000 pad 0.055
layer synth 0.07 square 1568 fade q 0.002 0.07 0.02 lowpass 5000 pad 0.11
layer synth 0.22 square 2093 fade l 0.002 0.22 0.2 lowpass 5000 pad 0.165
mix echo 0.8 0.6 70 0.25

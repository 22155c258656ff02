# A fang striking home: a sharp crack over a low thump.
layer synth 0.16 whitenoise vol 0.5 highpass 1500 fade l 0.001 0.16 0.155 vol 0.7
layer synth 0.24 sine 170:45 fade l 0.002 0.24 0.22
layer synth 0.05 square 1100:300 fade l 0 0.05 0.045 vol 0.35
mix overdrive 8 lowpass 8000

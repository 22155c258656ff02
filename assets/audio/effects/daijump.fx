# The great jump: a big "boing" springing far up, with air rushing past.
layer synth 0.75 square 120:1500 tremolo 14 40 fade q 0.005 0.75 0.3 lowpass 3000
layer synth 0.75 pinknoise vol 0.5 highpass 1000 fade h 0.2 0.75 0.4 vol 0.4
layer synth 0.12 sine 90:50 fade l 0.001 0.12 0.11 vol 0.8

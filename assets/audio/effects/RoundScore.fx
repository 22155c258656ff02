# The score count-up: a fast, even ticking (25 ticks a second for 2.4 s).
layer synth 0.016 square 1760 fade l 0 0.016 0.013 pad 0 0.024 repeat 59
layer synth 0.016 sine 3520 fade l 0 0.016 0.01 vol 0.3 pad 0 0.024 repeat 59
mix lowpass 6000

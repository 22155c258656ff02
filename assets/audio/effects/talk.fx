# One typed character: a tiny soft blip, short enough for many a second.
layer synth 0.04 square 1100 fade l 0.001 0.04 0.036 lowpass 3000

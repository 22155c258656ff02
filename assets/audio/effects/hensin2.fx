# Transformation, second stage: a harsh rising growl that bursts into a ringing chord.
layer synth 0.8 sawtooth 90:720 fade h 0.05 0.8 0.05 overdrive 15 vol 0.5 lowpass 3000
layer synth 0.8 square 523 square 659 fade l 0.002 0.8 0.78 vol 0.5 pad 0.8
layer synth 0.8 square 784 square 1047 fade l 0.002 0.8 0.78 vol 0.5 pad 0.8
layer synth 0.5 whitenoise fade l 0.001 0.5 0.49 vol 0.6 pad 0.8
layer synth 0.5 sine 80:35 fade l 0.002 0.5 0.48 pad 0.8
mix reverb 40

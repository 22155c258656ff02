# Something big breaking: a crash of noise with a heavy low blow and falling debris.
layer synth 0.9 brownnoise fade l 0.001 0.9 0.88
layer synth 0.45 whitenoise vol 0.5 highpass 2500 fade l 0.001 0.45 0.44 vol 0.6
layer synth 0.4 sine 95:35 fade l 0.002 0.4 0.38
layer synth 0.6 whitenoise vol 0.5 bandpass 1800 2q tremolo 19 95 fade l 0 0.6 0.58 vol 0.6 pad 0.15
mix overdrive 10 reverb 30 50 60

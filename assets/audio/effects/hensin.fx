# Transformation, first stage: a shimmering rise that gathers power.
layer synth 1.2 sine 200:1600 tremolo 12 60 fade h 0.1 1.2 0.2
layer synth 1.2 sine 300:2400 tremolo 17 60 fade h 0.1 1.2 0.2 vol 0.5
layer synth 1.2 whitenoise vol 0.5 highpass 4000 fade h 1.0 1.2 0.2 vol 0.25
mix chorus 0.7 0.9 55 0.4 0.25 2 -t reverb 40

# A heavy metallic hit: inharmonic bell-metal partials over a hard click.
layer synth 0.9 sine 233 fade l 0.001 0.9 0.89
layer synth 0.7 sine 631 fade l 0.001 0.7 0.69 vol 0.7
layer synth 0.55 sine 1093 fade l 0.001 0.55 0.54 vol 0.55
layer synth 0.4 sine 1617 fade l 0.001 0.4 0.39 vol 0.4
layer synth 0.3 sine 2301 fade l 0.001 0.3 0.29 vol 0.3
layer synth 0.03 whitenoise fade l 0 0.03 0.03 vol 0.8
mix overdrive 4 reverb 25 50 40

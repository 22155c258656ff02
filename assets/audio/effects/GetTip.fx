# Taking one's own chip: a bright two-step "pi-ping" upwards.
layer synth 0.045 triangle 1760 fade q 0.002 0.045 0.01
layer synth 0.11 triangle 2637 fade l 0.002 0.11 0.1 pad 0.04
layer synth 0.11 sine 5274 fade l 0.002 0.11 0.1 vol 0.2 pad 0.04

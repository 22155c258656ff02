# The emergency dodge: a shimmering rising whoosh.
layer synth 0.45 pinknoise vol 0.5 highpass 1800 fade h 0.04 0.45 0.3 vol 0.7
layer synth 0.45 sine 450:2600 tremolo 30 70 fade h 0.01 0.45 0.28
layer synth 0.45 sine 900:5200 tremolo 23 60 fade h 0.01 0.45 0.28 vol 0.3
mix phaser 0.8 0.74 3 0.4 0.5 -t

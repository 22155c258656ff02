# The tournament's start buzzer: a long, rough, slightly beating buzz.
layer synth 0.9 sawtooth 110 fade q 0.01 0.9 0.06
layer synth 0.9 sawtooth 114.5 fade q 0.01 0.9 0.06
layer synth 0.9 square 220 fade q 0.01 0.9 0.06 vol 0.3
mix overdrive 12 lowpass 2500

# Taking the opponent's chip: a dull falling "bu-bum", clearly a loss.
layer synth 0.11 sawtooth 330 sawtooth 336 fade q 0.003 0.11 0.02 lowpass 1400
layer synth 0.2 sawtooth 220:196 fade l 0.003 0.2 0.15 lowpass 1100 pad 0.11

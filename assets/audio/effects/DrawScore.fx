# One tally line: a clear bell "ding" (G6 with two upper partials).
layer synth 0.45 sine 1568 fade l 0.002 0.45 0.44
layer synth 0.30 sine 3136 fade l 0.002 0.30 0.29 vol 0.35
layer synth 0.16 sine 5292 fade l 0.001 0.16 0.15 vol 0.15

# A victory jump: a springy square-wave sweep upwards.
layer synth 0.2 square 260:950 fade q 0.004 0.2 0.09 lowpass 3500
layer synth 0.2 sine 520:1900 fade q 0.004 0.2 0.09 vol 0.3

# A long falling whistle, from a high pitch down to a low one.
layer synth 2.6 sine 2400:330 tremolo 7 12 fade q 0.05 2.6 0.25
layer synth 2.6 sine 4800:660 fade q 0.05 2.6 0.25 vol 0.12

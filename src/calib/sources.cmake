# Idc, Iac / Iq test, hall test and factory commands (+ ui/).

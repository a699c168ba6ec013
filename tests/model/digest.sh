#!/bin/bash
# Runs the i686 digest program (inside scripts/wine-run); it prints the digest.
#   digest.sh I686_PROGRAM.exe
exec "$WINE" "$1"

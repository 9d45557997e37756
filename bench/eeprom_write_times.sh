#!/bin/sh
# How long programming and erasing the X28C256 and the 24C08, 24C16 and 24C32 would take on a
# real port, as the simulated board projects it, next to what the chips' write cycles alone
# need (pages x write cycle: 5 ms for the serial parts; 5 ms typical and 10 ms at most for the
# X28C256). Each run really pauses as it would with a board, so the table takes a few minutes.
#
#   bench/eeprom_write_times.sh [build folder] [slider values...]
#
# The busy-wait loops are timed as on this PC unless SIM_LOOP_NS gives their length.
set -eu
build=${1:-build}
shift || true
sliders=${*:-20 18 10 1}
cli="$build/src/cli/burnlab-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_STATE_HOME="$work/state"
loop=${SIM_LOOP_NS:+--sim-loop-ns=$SIM_LOOP_NS}

# A random image of the given size.
image() {
  head -c "$1" /dev/urandom >"$work/img$1.bin"
  echo "$work/img$1.bin"
}

# The simulated time of the device command of one run, from its summary line, or "failed"
# when the run did not succeed.
timed() {
  if "$@" >"$work/out" 2>&1; then
    sed -n 's/^Simulated board: command \([^,]*\),.*/\1/p' "$work/out"
  else
    echo failed
  fi
}

row() {
  socket=$1 device=$2 size=$3 pages=$4 cycleMs=$5 slider=$6
  img=$(image "$size")
  program=$(timed "$cli" --simulate="$socket" $loop -d "$device" --speed "$slider" --yes \
    program -i "$img")
  erase=$(timed "$cli" --simulate="$socket:$img" $loop -d "$device" --speed "$slider" erase)
  floor=$(echo "$pages * $cycleMs / 1000" | bc -l)
  printf '%-16s %6s %12s %12s %6d x %2s ms = %.2f s\n' "$socket" "$slider" "$program" \
    "$erase" "$pages" "$cycleMs" "$floor"
}

printf '%-16s %6s %12s %12s %s\n' chip slider program erase "datasheet floor"
for slider in $sliders; do
  row X28C256 "Eeprom XICOR X28C256" 32768 512 5 "$slider"
  row X28C256,slow "Eeprom XICOR X28C256" 32768 512 10 "$slider"
  row 24C08 "Eeprom 24C08 Serial (8 pins)" 1024 64 5 "$slider"
  row 24C16 "Eeprom 24C16 Serial (8 pins)" 2048 128 5 "$slider"
  row 24C32 "Eeprom 24C32 Serial (8 pins)" 4096 128 5 "$slider"
done

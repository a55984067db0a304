#!/usr/bin/env bash
# Takes screenshots of the test display when a test asks for one: a Windows program under Wine
# cannot run X clients, and a GDI capture of the screen misses what the X server draws.
# A request is an empty file shots/NAME.request; the answer is ARTEFACTS/NAME.png and shots/NAME.done.
root=$1 display=$2 artefacts=$3
mkdir -p "$root/shots" "$artefacts"
while :; do
  for request in "$root"/shots/*.request; do
    [ -e "$request" ] || continue
    name=$(basename "$request" .request)
    xwd -root -silent -display "$display" | convert xwd:- "$artefacts/$name.png" 2>/dev/null
    mv "$request" "$root/shots/$name.done"
  done
  sleep 0.05
done

# Sourced by the scripts that run the program on a virtual display.
# start_virtual_display <width>x<height>x<depth> <folder>: starts Xvfb on a display it picks
# itself and exports DISPLAY; XVFB_PID is the server to end. Xvfb writes the number only once the
# display is taken and ready, so two runs started together never share one (a number guessed
# beforehand, as xvfb-run -a does, can be taken by another run meanwhile).
start_virtual_display() {
  local screen="$1" numberfile="$2/display-number"
  : > "$numberfile"
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 1 100); do
    if grep -q '^[0-9][0-9]*$' "$numberfile"; then
      export DISPLAY=":$(head -n 1 "$numberfile")"
      return 0
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  echo "the virtual display did not start"
  return 1
}

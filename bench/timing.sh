# Shared by the comparison scripts: `best CMD...` prints the best wall time of three runs, in seconds.
# Needs $work, a folder of the caller's.
best() {
  local b=999
  for _ in 1 2 3; do
    /usr/bin/time -f '%e' -o "$work/t" "$@" >/dev/null 2>&1
    b=$(echo "t=$(cat "$work/t"); if (t < $b) t else $b" | bc -l)
  done
  echo "$b"
}

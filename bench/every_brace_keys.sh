# Sourced by the benchmarks: every_brace_keys NX NS prints the headless
# dialogue of a frame of NX spans of 6 m and NS storeys of 3.5 m with every
# rising and falling brace, from the generator's menu to its end.
every_brace_keys() {
  local nx=$1 ns=$2
  printf '1\n%d\n%d\n6\n' "$nx" "$ns"
  yes '' | head -n $((nx - 1)) || true
  printf '3.5\n'
  yes '' | head -n $((ns - 1)) || true
  printf '1\n1-%d\n0-%d\n\n2\n1-%d\n0-%d\n\n5\n\n\n\n' "$ns" "$nx" "$ns" "$nx"
}
